#pragma once
// Cell addresses and the reading of the texts an export writes.
#include <QString>
#include <QStringView>
#include <optional>

namespace kiv::sheet {

// Column letters: 1 is "A", 26 "Z", 27 "AA".
QString columnLetters(int column);
// "B4" for row 4, column 2 (both counted from 1).
QString cellName(int row, int column);
// Reads "B4" (letters, then a row number from 1); false for anything else.
bool parseCellName(QStringView text, int* row, int* column);
// Reads a 1-2-3 range text naming one cell of sheet A: "A:B4.A:B4" (or with "..", or "A:B4");
// false for anything else.
bool parseOneCellRange(QStringView text, int* row, int* column);

// The number a cell text stands for: a text that the program's leading-number parse reads in
// full (" 1500", "1.234568E+07", "-12.5") to a finite number. Any other text, the empty one
// included, stays text.
std::optional<double> numberCellValue(const QString& text);

} // namespace kiv::sheet
