#include "platform/spreadsheet/cell_text.h"

#include <QLocale>

namespace kiv::sheet {

QString columnLetters(int column)
{
    QString letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

QString cellName(int row, int column)
{
    return columnLetters(column) + QString::number(row);
}

bool parseCellName(QStringView text, int* row, int* column)
{
    qsizetype i = 0;
    long long c = 0;
    while (i < text.size() && text[i].isLetter() && text[i].unicode() < 128) {
        c = c * 26 + (text[i].toUpper().unicode() - u'A' + 1);
        if (c > 1 << 20)
            return false;
        ++i;
    }
    if (i == 0 || i == text.size())
        return false;
    long long r = 0;
    for (qsizetype j = i; j < text.size(); ++j) {
        if (text[j].unicode() < u'0' || text[j].unicode() > u'9')
            return false;
        r = r * 10 + (text[j].unicode() - u'0');
        if (r > 1 << 24)
            return false;
    }
    if (r < 1)
        return false;
    *row = static_cast<int>(r);
    *column = static_cast<int>(c);
    return true;
}

bool parseOneCellRange(QStringView text, int* row, int* column)
{
    const auto corner = [](QStringView part, int* r, int* c) {
        if (!part.startsWith(u"A:") && !part.startsWith(u"a:"))
            return false;
        return parseCellName(part.mid(2), r, c);
    };
    qsizetype dot = text.indexOf(u'.');
    int r1 = 0, c1 = 0;
    if (dot < 0)
        return corner(text, row, column);
    QStringView second = text.mid(dot + 1);
    if (second.startsWith(u'.'))
        second = second.mid(1);
    int r2 = 0, c2 = 0;
    if (!corner(text.left(dot), &r1, &c1) || !corner(second, &r2, &c2) || r1 != r2 || c1 != c2)
        return false;
    *row = r1;
    *column = c1;
    return true;
}

namespace {

// Reads a whole text with the leading-number parse: blanks, tabs and line feeds are ignored
// wherever they stand; then an optional sign, digits with at most one period and an optional
// exponent (E or D), or a radix prefix &H / &O. The number only counts when nothing is left.
std::optional<double> readLeadingNumberInFull(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (QChar ch : text)
        if (ch != u' ' && ch != u'\t' && ch != u'\n')
            s.append(ch);
    if (s.isEmpty())
        return std::nullopt;
    const auto isDigit = [](QChar ch, int radix) {
        const int v = ch.isDigit() ? ch.unicode() - u'0'
                      : (ch.toUpper() >= u'A' && ch.toUpper() <= u'F') ? ch.toUpper().unicode() - u'A' + 10
                                                                       : 99;
        return v < radix;
    };
    if (s.startsWith(u'&')) {
        int radix = 8;
        qsizetype i = 1;
        if (i < s.size() && (s[i] == u'H' || s[i] == u'h')) {
            radix = 16;
            ++i;
        } else if (i < s.size() && (s[i] == u'O' || s[i] == u'o')) {
            ++i;
        }
        if (i == s.size())
            return std::nullopt;
        bool ok = false;
        const qlonglong v = s.mid(i).toLongLong(&ok, radix);
        for (qsizetype j = i; j < s.size(); ++j)
            if (!isDigit(s[j], radix))
                return std::nullopt;
        if (!ok)
            return std::nullopt;
        return static_cast<double>(v);
    }
    qsizetype i = 0;
    QString plain;
    if (s[i] == u'+' || s[i] == u'-')
        plain.append(s[i++]);
    int digits = 0;
    bool period = false;
    for (; i < s.size(); ++i) {
        if (s[i].isDigit() && s[i].unicode() < 128) {
            plain.append(s[i]);
            ++digits;
        } else if (s[i] == u'.' && !period) {
            plain.append(s[i]);
            period = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        plain.append(u'E');
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            plain.append(s[i++]);
        int expDigits = 0;
        for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i, ++expDigits)
            plain.append(s[i]);
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    if (plain.endsWith(u'.'))
        plain.chop(1);
    plain.replace(QStringLiteral(".E"), QStringLiteral("E"));
    if (plain.startsWith(u'.') || plain.startsWith(QStringLiteral("-.")) || plain.startsWith(QStringLiteral("+.")))
        plain.insert(plain.indexOf(u'.'), u'0');
    bool ok = false;
    const double v = QLocale::c().toDouble(plain, &ok);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> numberCellValue(const QString& text)
{
    return readLeadingNumberInFull(text);
}

} // namespace kiv::sheet
