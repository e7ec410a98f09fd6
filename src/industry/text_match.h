#pragma once
// Text matching of the industry search: the pattern language of the edition databases, the
// cutting of a text into words, and the order of the sorted lists.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace kiv::industry {

// A search pattern as the edition databases' Like operator reads it:
//   *        any run of characters, also none
//   ?        any one character
//   #        any one digit
//   [list]   one character of the list; a-z inside it is a range; [!list] one character
//            outside the list; [] matches nothing at all (an empty run); *, ?, # and [ stand
//            for themselves inside the brackets
// Letters match without regard to case, in every alphabet; accented and plain letters stay
// distinct. The whole text must match the whole pattern.
class LikePattern {
public:
    // The compiled pattern; empty for a pattern that is not valid (an opening bracket
    // without its closing one, a range whose ends are in falling order).
    static std::optional<LikePattern> compile(QStringView pattern);

    bool matches(QStringView text) const;

private:
    struct Range {
        char16_t low, high;
    };
    struct Token {
        enum class Kind { Char, Any, Digit, Set, Star } kind = Kind::Char;
        char16_t ch = 0; // Char: folded
        bool negate = false;
        std::vector<Range> ranges; // Set
    };
    bool matchesOne(const Token& t, char16_t c) const;

    std::vector<Token> tokens_;
    // A pattern of the form *text* with plain characters only: a case-blind substring test.
    std::optional<QString> contains_;
};

// True when text matches pattern; an invalid pattern matches nothing.
bool like(QStringView text, QStringView pattern);

// Calls f(word) for each word of the text, in order. Words are cut at blanks only (line breaks,
// hyphens, parentheses and periods stay part of their word); trailing blanks are dropped first;
// runs of blanks give no empty words; a word followed by a blank loses one comma at its end
// (so a lone comma between blanks gives an empty word); the last word keeps its comma.
template <class F>
void forEachWord(QStringView text, F&& f)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    qsizetype start = 0;
    for (qsizetype i = 0; i < end; ++i) {
        if (text[i] != u' ')
            continue;
        if (i > start) {
            QStringView piece = text.mid(start, i - start);
            if (piece.endsWith(u','))
                piece.chop(1);
            f(piece);
        }
        start = i + 1;
    }
    if (end > start)
        f(text.mid(start, end - start));
}

// The words of a text, as forEachWord cuts them.
QStringList SplitWords(const QString& text);

// The order of the sorted lists, alphabetical: letters compared without regard to case or
// accent (Épiceries among the E, œ as oe), then entries alike in that by their accents;
// other characters by their code. Equal entries keep their order.
bool listLess(QStringView a, QStringView b);
// The entry's sorting key: two entries are in list order exactly when their keys are in plain
// character-code order.
QString listKey(QStringView entry);
void sortList(QStringList& list);

// The industry code as the industry selection window shows it after a pick: in French a
// stored "not applicable" (in any letter case) reads "non applicable".
QString shownIndustryCode(const QString& storedCode, int language);

} // namespace kiv::industry
