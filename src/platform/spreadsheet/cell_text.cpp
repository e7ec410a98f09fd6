#include "platform/spreadsheet/cell_text.h"

#include "numbers/numbers.h"

#include <cmath>

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

std::optional<double> numberCellValue(const QString& text)
{
    const num::LeadingNumber n = num::readLeadingNumber(text);
    // A number beyond the range of a cell ("1E999") stays the text it is.
    if (!n.readsFully || !std::isfinite(n.value))
        return std::nullopt;
    return n.value;
}

} // namespace kiv::sheet
