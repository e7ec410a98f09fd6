#pragma once
// Reading back a printout saved as a PDF file, with poppler's pdftotext: its text as laid out,
// and where each word stands on the page.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

namespace kivtest {

// The text of the PDF as pdftotext lays it out (-layout); empty when it can't be read.
inline QString pdfToText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One word of the PDF and its top left corner, in points from the page's top left corner.
struct PdfWord {
    QString text;
    double x = 0;
    double y = 0;
};

// The words of the PDF in the order pdftotext reads them.
inline QList<PdfWord> pdfWords(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    QList<PdfWord> words;
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return words;
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        QString text = m.captured(3); // as written in the XML: the five entities undone
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&apos;"), QStringLiteral("'"));
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.push_back({text, m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

// The left edge, in points, of each word of the PDF (the first one of a word seen twice).
inline QHash<QString, double> wordPositions(const QString& path)
{
    QHash<QString, double> x;
    for (const PdfWord& w : pdfWords(path))
        if (!x.contains(w.text))
            x.insert(w.text, w.x);
    return x;
}

// A home of its own while it lives, so that the documents folder, where printouts go as PDF
// files when there is no printer, is a temporary one.
class TempHome {
public:
    TempHome()
        : oldHome_(qgetenv("HOME"))
        , oldConfig_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", dir_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/config")).toLocal8Bit());
    }
    ~TempHome()
    {
        qputenv("HOME", oldHome_);
        if (oldConfig_.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig_);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    QString documents() const { return dir_.path() + QStringLiteral("/Documents"); }

private:
    QTemporaryDir dir_;
    QByteArray oldHome_, oldConfig_;
};

} // namespace kivtest
