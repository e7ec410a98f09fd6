#include "platform/spreadsheet/wk1.h"

#include "platform/spreadsheet/cell_text.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace kiv::sheet::wk1 {

namespace {

struct Mapping {
    char16_t ch;
    unsigned char byte;
};

// Characters at the same byte in code pages 437 and 850.
constexpr Mapping kShared[] = {
    {0x00C7, 0x80}, {0x00FC, 0x81}, {0x00E9, 0x82}, {0x00E2, 0x83}, {0x00E4, 0x84}, {0x00E0, 0x85},
    {0x00E5, 0x86}, {0x00E7, 0x87}, {0x00EA, 0x88}, {0x00EB, 0x89}, {0x00E8, 0x8A}, {0x00EF, 0x8B},
    {0x00EE, 0x8C}, {0x00EC, 0x8D}, {0x00C4, 0x8E}, {0x00C5, 0x8F}, {0x00C9, 0x90}, {0x00E6, 0x91},
    {0x00C6, 0x92}, {0x00F4, 0x93}, {0x00F6, 0x94}, {0x00F2, 0x95}, {0x00FB, 0x96}, {0x00F9, 0x97},
    {0x00FF, 0x98}, {0x00D6, 0x99}, {0x00DC, 0x9A}, {0x00A3, 0x9C}, {0x0192, 0x9F}, {0x00E1, 0xA0},
    {0x00ED, 0xA1}, {0x00F3, 0xA2}, {0x00FA, 0xA3}, {0x00F1, 0xA4}, {0x00D1, 0xA5}, {0x00AA, 0xA6},
    {0x00BA, 0xA7}, {0x00BF, 0xA8}, {0x00AC, 0xAA}, {0x00BD, 0xAB}, {0x00BC, 0xAC}, {0x00A1, 0xAD},
    {0x00AB, 0xAE}, {0x00BB, 0xAF}, {0x2591, 0xB0}, {0x2592, 0xB1}, {0x2593, 0xB2}, {0x2502, 0xB3},
    {0x2524, 0xB4}, {0x2563, 0xB9}, {0x2551, 0xBA}, {0x2557, 0xBB}, {0x255D, 0xBC}, {0x2510, 0xBF},
    {0x2514, 0xC0}, {0x2534, 0xC1}, {0x252C, 0xC2}, {0x251C, 0xC3}, {0x2500, 0xC4}, {0x253C, 0xC5},
    {0x255A, 0xC8}, {0x2554, 0xC9}, {0x2569, 0xCA}, {0x2566, 0xCB}, {0x2560, 0xCC}, {0x2550, 0xCD},
    {0x256C, 0xCE}, {0x2518, 0xD9}, {0x250C, 0xDA}, {0x2588, 0xDB}, {0x2584, 0xDC}, {0x2580, 0xDF},
    {0x00DF, 0xE1}, {0x00B5, 0xE6}, {0x00B1, 0xF1}, {0x00F7, 0xF6}, {0x00B0, 0xF8}, {0x00B7, 0xFA},
    {0x00B2, 0xFD}, {0x25A0, 0xFE}, {0x00A0, 0xFF},
};

// Characters both pages lack, by their plain form.
struct Plain {
    char16_t ch;
    const char* text;
};
constexpr Plain kPlain[] = {
    {0x0153, "oe"}, {0x0152, "OE"}, {0x2018, "'"}, {0x2019, "'"}, {0x201A, "'"}, {0x2032, "'"},
    {0x201C, "\""}, {0x201D, "\""}, {0x201E, "\""}, {0x2033, "\""}, {0x2026, "..."}, {0x2013, "-"},
    {0x2014, "-"}, {0x2212, "-"}, {0x20AC, "EUR"}, {0x202F, " "}, {0x2009, " "},
};

bool sharedByte(char16_t ch, char* out)
{
    for (const Mapping& m : kShared)
        if (m.ch == ch) {
            *out = static_cast<char>(m.byte);
            return true;
        }
    return false;
}

void appendChar(QByteArray& out, char16_t ch, int depth)
{
    if (ch < 0x20 || ch == 0x7F) {
        out.append(' ');
        return;
    }
    if (ch < 0x80) {
        out.append(static_cast<char>(ch));
        return;
    }
    char b = 0;
    if (sharedByte(ch, &b)) {
        out.append(b);
        return;
    }
    for (const Plain& p : kPlain)
        if (p.ch == ch) {
            out.append(p.text);
            return;
        }
    if (depth == 0) {
        // A letter with an accent that only one page has: its base letter.
        const QString decomposed = QString(QChar(ch)).normalized(QString::NormalizationForm_KD);
        if (decomposed.size() > 1 || decomposed.at(0).unicode() != ch) {
            QByteArray plain;
            for (QChar d : decomposed)
                if (d.category() != QChar::Mark_NonSpacing)
                    appendChar(plain, d.unicode(), depth + 1);
            if (!plain.isEmpty() && !plain.contains('?')) {
                out.append(plain);
                return;
            }
        }
    }
    out.append('?');
}

void appendRecord(QByteArray& out, quint16 opcode, const QByteArray& data)
{
    char head[4];
    qToLittleEndian<quint16>(opcode, head);
    qToLittleEndian<quint16>(static_cast<quint16>(data.size()), head + 2);
    out.append(head, 4);
    out.append(data);
}

QByteArray u16(int v)
{
    char b[2];
    qToLittleEndian<quint16>(static_cast<quint16>(v), b);
    return QByteArray(b, 2);
}

// Unprotected cell, general format.
constexpr char kFormat = 0x71;

constexpr quint16 kBof = 0x0000;
constexpr quint16 kEof = 0x0001;
constexpr quint16 kRange = 0x0006;
constexpr quint16 kNumber = 0x000E;
constexpr quint16 kLabel = 0x000F;
constexpr quint16 kWk1Version = 0x0406;

bool isPrefix(QChar ch)
{
    return ch == u'\'' || ch == u'"' || ch == u'^' || ch == u'\\';
}

} // namespace

Cell contentsCell(int row, int column, const QString& contents)
{
    Cell c;
    c.row = row;
    c.column = column;
    if (!contents.isEmpty() && isPrefix(contents.at(0))) {
        c.label = contents;
    } else if (const auto n = numberCellValue(contents)) {
        c.isNumber = true;
        c.number = *n;
    } else {
        c.label = QStringLiteral("'") + contents;
    }
    return c;
}

QByteArray encodeText(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() || ch.isLowSurrogate()) {
            if (ch.isHighSurrogate())
                out.append('?');
            continue;
        }
        appendChar(out, ch.unicode(), 0);
    }
    return out;
}

QByteArray worksheet(std::vector<Cell> cells)
{
    std::sort(cells.begin(), cells.end(),
              [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.column < b.column; });
    int lastRow = 1, lastColumn = 1;
    for (const Cell& c : cells) {
        lastRow = std::max(lastRow, c.row);
        lastColumn = std::max(lastColumn, c.column);
    }
    QByteArray out;
    appendRecord(out, kBof, u16(kWk1Version));
    appendRecord(out, kRange, u16(0) + u16(0) + u16(lastColumn - 1) + u16(lastRow - 1));
    for (const Cell& c : cells) {
        QByteArray data;
        data.append(kFormat);
        data.append(u16(c.column - 1));
        data.append(u16(c.row - 1));
        if (c.isNumber) {
            char v[8];
            qToLittleEndian<double>(c.number, v);
            data.append(v, 8);
            appendRecord(out, kNumber, data);
        } else {
            data.append(encodeText(c.label).left(kMaxLabelBytes));
            data.append('\0');
            appendRecord(out, kLabel, data);
        }
    }
    appendRecord(out, kEof, QByteArray());
    return out;
}

} // namespace kiv::sheet::wk1
