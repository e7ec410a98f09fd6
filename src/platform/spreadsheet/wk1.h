#pragma once
// The Lotus 1-2-3 worksheet file (WK1 records: BOF, RANGE, LABEL, NUMBER, EOF).
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

namespace kiv::sheet::wk1 {

// One filled cell; row and column count from 1.
struct Cell {
    int row = 0;
    int column = 0;
    bool isNumber = false;
    double number = 0;
    QString label; // with its prefix character: ' left, " right, ^ centred, \ repeated
};

// What 1-2-3 makes of the contents typed into a cell: a text that starts with a label prefix
// is that label; a text that reads in full as a number is a number; anything else is a label
// aligned left.
Cell contentsCell(int row, int column, const QString& contents);

// Label text as bytes. The readers of these files take the bytes above 127 by different DOS
// code pages (LibreOffice by 437, Gnumeric by 850), so only the characters that both pages
// hold at the same byte are written as they are, which covers the French letters but a few
// capitals; any other character becomes its plain form (À to A, œ to oe, ’ to ') or "?".
// Control characters become blanks.
QByteArray encodeText(QStringView text);

// The whole worksheet: BOF, the used range, one record per cell (row by row), EOF.
QByteArray worksheet(std::vector<Cell> cells);

// Labels hold at most this many bytes, prefix included.
inline constexpr int kMaxLabelBytes = 240;

} // namespace kiv::sheet::wk1
