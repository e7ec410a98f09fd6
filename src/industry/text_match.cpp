#include "industry/text_match.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kiv::industry {

namespace {
// Case folding of one UTF-16 unit, with a quick path for plain ASCII.
inline char16_t fold(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    return static_cast<char16_t>(QChar::toCaseFolded(c));
}
// The first index from `from` on (below `end`) whose character is a, b or any non-ASCII
// character; `end` when there is none. Eight characters at a time where the processor can.
qsizetype nextCandidate(const char16_t* t, qsizetype from, qsizetype end, char16_t a, char16_t b)
{
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
    const __m128i ascii = _mm_set1_epi16(0x7f);
    for (; i + 8 <= end; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        // Unsigned v > 0x7f: the saturating difference is not zero.
        const __m128i wide = _mm_subs_epu16(v, ascii);
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)),
                                         _mm_xor_si128(_mm_cmpeq_epi16(wide, _mm_setzero_si128()), _mm_set1_epi16(-1)));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0)
            return i + (__builtin_ctz(static_cast<unsigned>(mask)) >> 1);
    }
#endif
    for (; i < end; ++i)
        if (t[i] == a || t[i] == b || t[i] >= 0x80)
            return i;
    return end;
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
    if (contains_) {
        // The needle is folded already; a text position is tried only where its first
        // character matches.
        const QStringView needle(*contains_);
        const qsizetype m = needle.size();
        if (m == 0)
            return true;
        const char16_t head = needle[0].unicode();
        // Only these characters can fold to the head: its ASCII capital, and any non-ASCII one.
        const char16_t headUpper = head >= u'a' && head <= u'z' ? static_cast<char16_t>(head - 32) : head;
        const char16_t* t = text.utf16();
        const qsizetype last = text.size() - m;
        for (qsizetype i = 0; i <= last; ++i) {
            if (head < 0x80) {
                i = nextCandidate(t, i, last + 1, head, headUpper);
                if (i > last)
                    break;
            }
            if (fold(t[i]) != head)
                continue;
            qsizetype k = 1;
            while (k < m && fold(t[i + k]) == needle[k].unicode())
                ++k;
            if (k == m)
                return true;
        }
        return false;
    }

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

namespace {
// The letters a character is put in alphabetical order by: without its accent and in one case
// (É, é and e alike; Ç as c), a ligature as its two letters (œ as oe, æ as ae, ß as ss). Latin
// letters are looked up in a table made once; other characters are only folded.
struct Letters {
    char16_t first = 0;
    char16_t second = 0; // 0: one letter
};
constexpr char16_t kTableEnd = 0x250; // the Latin blocks

const std::array<Letters, kTableEnd>& latinLetters()
{
    static const std::array<Letters, kTableEnd> table = [] {
        std::array<Letters, kTableEnd> t{};
        for (char16_t c = 0; c < kTableEnd; ++c) {
            QChar base(c);
            // The first character of the canonical decomposition, to the end: ǘ → ü → u.
            while (base.decompositionTag() == QChar::Canonical) {
                const QString d = base.decomposition();
                if (d.isEmpty() || d.front() == base)
                    break;
                base = d.front();
            }
            t[c] = {fold(base.unicode()), 0};
        }
        t[0x00C6] = t[0x00E6] = {u'a', u'e'}; // Æ æ
        t[0x0152] = t[0x0153] = {u'o', u'e'}; // Œ œ
        t[0x00DF] = {u's', u's'};             // ß
        return t;
    }();
    return table;
}
} // namespace

QString listKey(QStringView entry)
{
    // The letters without accents first; then, for entries alike in that, the letters with their
    // accents: "cote" before "côte" before "coter". A separator below every character keeps a
    // shorter entry before a longer one that begins alike.
    const auto& latin = latinLetters();
    QString key;
    key.reserve(2 * entry.size() + 1);
    for (const QChar ch : entry) {
        const char16_t c = ch.unicode();
        if (c < 0x80) {
            key.append(QChar(fold(c)));
        } else if (c < kTableEnd) {
            key.append(QChar(latin[c].first));
            if (latin[c].second)
                key.append(QChar(latin[c].second));
        } else {
            key.append(QChar(fold(c)));
        }
    }
    key.append(QChar(u'\x01'));
    for (const QChar ch : entry)
        key.append(QChar(fold(ch.unicode())));
    return key;
}

bool listLess(QStringView a, QStringView b)
{
    return QStringView(listKey(a)).compare(QStringView(listKey(b))) < 0;
}

void sortList(QStringList& list)
{
    // Each entry is folded once; ties keep the order in which the entries came.
    struct Keyed {
        QString key;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        keyed.push_back({listKey(list[i]), i});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int c = QStringView(a.key).compare(QStringView(b.key));
        return c != 0 ? c < 0 : a.index < b.index;
    });
    QStringList sorted;
    sorted.reserve(list.size());
    for (const Keyed& k : keyed)
        sorted.append(std::move(list[k.index]));
    list = std::move(sorted);
}

QString shownIndustryCode(const QString& storedCode, int language)
{
    if (language == 1 && storedCode.toLower() == QStringLiteral("not applicable"))
        return QStringLiteral("non applicable");
    return storedCode;
}

} // namespace kiv::industry
