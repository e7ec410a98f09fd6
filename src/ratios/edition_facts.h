#pragma once
// The edition lines the one-year comparison windows show at their top: the firm-size group, the
// revenue class with the edition's reference year, and the name of the industry-code system.
#include <QString>
#include <QStringView>
#include <optional>

namespace kiv {

struct EditionHeaderTexts {
    QString firmSize;   // "Medium and Large Firms"
    QString revenue;    // "Revenue of $5 million and over, Reference Year 1999"
    QString codeSystem; // "SICC"
    friend bool operator==(const EditionHeaderTexts&, const EditionHeaderTexts&) = default;
};

// The reference year of a one-year edition, by its option on the edition menu: 1999 for
// Volume 1 (optVol1), 1997 for Volume 2 (optVol2); none for any other edition.
std::optional<int> editionReferenceYear(QStringView option);

// The header lines of a one-year edition in the language (0 English, 1 French); none for any
// other edition, whose windows keep the lines they have.
std::optional<EditionHeaderTexts> editionHeaderTexts(QStringView option, int language);

} // namespace kiv
