#pragma once
// Definitions shown when the user clicks an item's or a ratio's caption: a title and a text per
// language, kept in JSON data files compiled into the program.
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace kiv {

// What the box shows: its title and its text (line breaks are CR LF).
struct Definition {
    QString title;
    QString text;
    friend bool operator==(const Definition&, const Definition&) = default;
};

// The texts a gLanguage value selects: 0 the English ones, every other value the French ones.
inline int definitionLanguage(int language) { return language == 0 ? 0 : 1; }
inline QString languageKey(int language) { return definitionLanguage(language) == 0 ? QStringLiteral("en") : QStringLiteral("fr"); }

// A window's definitions, by the object name of the caption label that shows them.
class DefinitionSet {
public:
    void add(const QString& label, const Definition& english, const Definition& french);
    std::optional<Definition> find(QStringView label, int language) const;
    QStringList labels() const { return order_; } // in the window's order

private:
    QStringList order_;
    QHash<QString, std::array<Definition, 2>> byLabel_;
};

// A definition data file: a JSON object whose "entries" array holds one object a line. Every entry
// names the caption label ("label") and what it defines ("item" or "ratio"), and holds an "en"
// and a "fr" object with the texts of that language. Line breaks in the texts are written \r\n.
struct DefinitionFile {
    QJsonObject head;                // the file's other members
    std::vector<QJsonObject> entries;
};
// Reads the file from the program's resources; a missing or malformed file gives no entries.
DefinitionFile readDefinitionFile(const QString& resource);

// The texts of one language of an entry (its "en" or "fr" object).
inline QJsonObject languageTexts(const QJsonObject& entry, int language)
{
    return entry.value(languageKey(language)).toObject();
}

// Shows a definition as every caption does: the text in a box with the information icon, the
// OK button alone and the definition's title. A label without a definition shows nothing.
void ShowDefinition(const std::optional<Definition>& definition);

} // namespace kiv
