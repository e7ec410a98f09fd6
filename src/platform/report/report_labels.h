#pragma once
// The texts and rows of the prepared reports, in English and French.
#include <QString>
#include <span>

namespace kiv::report::labels {

struct Text {
    const char16_t* en;
    const char16_t* fr;
    QString in(int language) const { return QString::fromUtf16(language == 0 ? en : fr); }
};

// A one-year ratio: its three quartile columns, its name, its group (index into groups()).
struct Ratio {
    const char16_t* q1;
    const char16_t* q2;
    const char16_t* q3;
    Text name;
    int group;
};

// A three-year ratio: its column prefix ("NPM": NPMQ1_1 ... NPMQ3_3), its name, its group.
struct Ratio3 {
    const char16_t* prefix;
    Text name;
    int group;
};

// A row of the balance-sheet report: a group head (no column) or an item, totals in bold.
struct BalanceRow {
    const char16_t* column; // nullptr: a group head
    Text name;
    bool total;
};

std::span<const Text> groups();           // Profitability, Efficiency, Liquidity/Solvency
std::span<const Ratio> oneYearRatios();   // the fifteen, in the comparison window's order
std::span<const Ratio3> threeYearRatios(); // the six
std::span<const BalanceRow> balanceRows(); // group heads and the 26 columns

// The three years of the three-year editions, top row first: 1999 ("_3"), 1998, 1997 ("_1").
struct Year {
    int suffix;
    const char16_t* caption;
};
std::span<const Year> years();

// Page texts.
extern const Text kRatiosTitle;
extern const Text kBalanceTitle;
extern const Text kThreeYearTitle;
extern const Text kIndustry;
extern const Text kNumberOfFirms;
extern const Text kRatioHead;
extern const Text kItemHead;
extern const Text kYearHead;
extern const Text kQ1Head;
extern const Text kMedianHead;
extern const Text kQ3Head;
extern const Text kPercentHead;
extern const Text kNoIndustry;
extern const Text kCodeVolume1; // the code system's name: Volume 1
extern const Text kCodeOther;   // every other edition

} // namespace kiv::report::labels
