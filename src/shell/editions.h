#pragma once
#include <QString>
#include <span>

namespace kiv {

enum class EditionKind { OneYear, ThreeYear };

// One edition option of the edition menu: what the program needs to know about it.
struct Edition {
    const char16_t* option;        // object name of the option button ("optVol1")
    EditionKind kind;
    int captionId;                 // string-table base id of the caption, 0 when literal
    const char16_t* caption;       // design caption
    const char16_t* database;      // file name in the data folder ("kiv_vol1.mdb")
    const char16_t* scanName;      // upper-cased file name the folder scan looks for
    const char16_t* reportPrefix;  // report file prefix (ratio reports for Volumes 1 and 2)
    const char16_t* bsReportPrefix;// balance-sheet report prefix (Volumes 1 and 2 only)
    const char16_t* titleE;        // title line of the printed industry index
    const char16_t* titleF;
};

// The nineteen editions in the order of the edition menu; optOther is the last.
std::span<const Edition> editions();
const Edition* editionByOption(QStringView option);

// Order in which the folder scan compares file names with the scan names (optOther apart).
std::span<const char16_t* const> scanOrder();

inline constexpr const char16_t* kOtherPrefix = u"KIV_OTHER_";

} // namespace kiv
