#include "industry/text_match.h"

#include <algorithm>

namespace kiv::industry {

namespace {
char16_t fold(char16_t c)
{
    return QChar::toCaseFolded(c);
}
char16_t lower(char16_t c)
{
    return QChar::toLower(c);
}
char16_t upper(char16_t c)
{
    return QChar::toUpper(c);
}
} // namespace

std::optional<LikePattern> LikePattern::compile(QStringView pattern)
{
    LikePattern p;
    bool plainInside = true; // only characters between a leading and a trailing star
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = pattern[i].unicode();
        Token t;
        switch (c) {
        case u'*':
            // Consecutive stars are one star.
            if (!p.tokens_.empty() && p.tokens_.back().kind == Token::Kind::Star)
                continue;
            t.kind = Token::Kind::Star;
            if (i != 0 && i != n - 1)
                plainInside = false;
            break;
        case u'?':
            t.kind = Token::Kind::Any;
            plainInside = false;
            break;
        case u'#':
            t.kind = Token::Kind::Digit;
            plainInside = false;
            break;
        case u'[': {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0)
                return std::nullopt;
            QStringView list = pattern.mid(i + 1, close - i - 1);
            i = close;
            plainInside = false;
            if (list.isEmpty())
                continue; // [] stands for an empty run: it matches without taking a character
            t.kind = Token::Kind::Set;
            if (list.front() == u'!') {
                t.negate = true;
                list = list.mid(1);
            }
            for (qsizetype k = 0; k < list.size(); ++k) {
                const char16_t low = list[k].unicode();
                if (k + 2 < list.size() && list[k + 1] == u'-') {
                    const char16_t high = list[k + 2].unicode();
                    if (high < low)
                        return std::nullopt;
                    t.ranges.push_back({low, high});
                    k += 2;
                } else {
                    t.ranges.push_back({low, low});
                }
            }
            break;
        }
        default:
            t.kind = Token::Kind::Char;
            t.ch = fold(c);
            break;
        }
        p.tokens_.push_back(std::move(t));
    }

    const auto& tk = p.tokens_;
    if (plainInside && tk.size() >= 2 && tk.front().kind == Token::Kind::Star && tk.back().kind == Token::Kind::Star) {
        QString needle;
        for (std::size_t k = 1; k + 1 < tk.size(); ++k)
            needle.append(QChar(tk[k].ch));
        p.contains_ = needle;
    } else if (tk.size() == 1 && tk.front().kind == Token::Kind::Star) {
        p.contains_ = QString();
    }
    return p;
}

bool LikePattern::matchesOne(const Token& t, char16_t c) const
{
    switch (t.kind) {
    case Token::Kind::Char:
        return fold(c) == t.ch;
    case Token::Kind::Any:
        return true;
    case Token::Kind::Digit:
        return c >= u'0' && c <= u'9';
    case Token::Kind::Set: {
        bool in = false;
        for (const Range& r : t.ranges) {
            if ((c >= r.low && c <= r.high) || (lower(c) >= lower(r.low) && lower(c) <= lower(r.high))
                || (upper(c) >= upper(r.low) && upper(c) <= upper(r.high))) {
                in = true;
                break;
            }
        }
        return in != t.negate;
    }
    case Token::Kind::Star:
        break;
    }
    return false;
}

bool LikePattern::matches(QStringView text) const
{
    if (contains_)
        return text.contains(*contains_, Qt::CaseInsensitive);

    // Greedy walk that goes back to the last star on a mismatch: each star first takes nothing,
    // then one more character each time what follows it fails.
    const std::size_t nt = tokens_.size();
    const qsizetype n = text.size();
    std::size_t ti = 0;
    qsizetype si = 0;
    std::size_t starToken = nt; // none yet
    qsizetype starText = 0;
    while (si < n) {
        if (ti < nt && tokens_[ti].kind == Token::Kind::Star) {
            starToken = ti++;
            starText = si;
        } else if (ti < nt && matchesOne(tokens_[ti], text[si].unicode())) {
            ++ti;
            ++si;
        } else if (starToken != nt) {
            ti = starToken + 1;
            si = ++starText;
        } else {
            return false;
        }
    }
    while (ti < nt && tokens_[ti].kind == Token::Kind::Star)
        ++ti;
    return ti == nt;
}

bool like(QStringView text, QStringView pattern)
{
    const std::optional<LikePattern> p = LikePattern::compile(pattern);
    return p && p->matches(text);
}

QStringList SplitWords(const QString& text)
{
    QStringList words;
    forEachWord(text, [&](QStringView w) { words.append(w.toString()); });
    return words;
}

bool listLess(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

void sortList(QStringList& list)
{
    std::stable_sort(list.begin(), list.end(), [](const QString& a, const QString& b) { return listLess(a, b); });
}

QString shownIndustryCode(const QString& storedCode, int language)
{
    if (language == 1 && storedCode.toLower() == QStringLiteral("not applicable"))
        return QStringLiteral("non applicable");
    return storedCode;
}

} // namespace kiv::industry
