#include "shell/module1.h"

#include <QFile>
#include <QHash>

namespace kiv {
namespace {

// strings.tsv: one entry a line, "id<TAB>text"; in the text \n is a line break, \t a tab and
// \\ a backslash. Lines starting with # are comments.
QString unescape(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar c = s[++i];
            if (c == u'n')
                out += u'\n';
            else if (c == u't')
                out += u'\t';
            else if (c == u'r')
                out += u'\r';
            else
                out += c;
        } else {
            out += s[i];
        }
    }
    return out;
}

const QHash<int, QString>& table()
{
    static const QHash<int, QString> entries = [] {
        QHash<int, QString> map;
        QFile f(QStringLiteral(":/kiv/strings.tsv"));
        if (!f.open(QIODevice::ReadOnly))
            return map;
        const QString all = QString::fromUtf8(f.readAll());
        for (QStringView line : QStringView(all).split(u'\n')) {
            if (line.endsWith(u'\r'))
                line.chop(1);
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const qsizetype tab = line.indexOf(u'\t');
            if (tab <= 0)
                continue;
            bool ok = false;
            const int id = line.left(tab).toInt(&ok);
            if (ok)
                map.insert(id, unescape(line.mid(tab + 1)));
        }
        return map;
    }();
    return entries;
}

} // namespace

QString LoadResString(int id)
{
    return table().value(id);
}

} // namespace kiv
