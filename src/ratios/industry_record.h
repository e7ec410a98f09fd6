#pragma once
// What the comparison windows read of the current industry's record, and what they say when
// they cannot compare with it.
#include <QString>
#include <QStringList>

namespace kiv::db {
class Snapshot;
}

namespace kiv::ratios {

// Why no comparison can be shown.
struct ContentProblem {
    enum class Kind { NoIndustry, UnusableColumns } kind = Kind::NoIndustry;
    QString industryNumber;  // the industry concerned, when it could be read
    QStringList missing;     // columns the table does not have
    QStringList empty;       // columns that hold no value
    QStringList notNumbers;  // quartile columns holding a text that is not one number
};

// The message for a problem, in the user's language (0 English, otherwise French).
QString problemMessage(const ContentProblem& problem, int language);

// Reads columns of the snapshot's current row (there must be one), noting in the problem each
// column that is absent or holds no value, and each number column holding a text that does not
// read whole as one number with a period as decimal point ("12,75" would otherwise be ranked
// as 12). A column noted reads as the empty text or 0.
class RecordReader {
public:
    RecordReader(const db::Snapshot& data, ContentProblem& problem);
    QString text(const QString& column);
    double number(const QString& column);
    // True when every column read so far could be used.
    bool usable() const;

private:
    const db::Snapshot& data_;
    ContentProblem& problem_;
};

// The name column of the user's language: IndustryDescriptionE, or IndustryDescriptionF.
QString descriptionColumn(int language);

} // namespace kiv::ratios
