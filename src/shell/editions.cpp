#include "shell/editions.h"

namespace kiv {
namespace {
using K = EditionKind;
constexpr Edition kEditions[] = {
    {u"optVol1", K::OneYear, 0, u"Volume 1", u"kiv_vol1.mdb", u"KIV_VOL1.MDB", u"kiv_v1_rat_", u"kiv_v1_bs_", u"Kivob Volume 1", u"Kivob Volume 1"},
    {u"optVol2", K::OneYear, 0, u"Volume 2", u"kiv_vol2.mdb", u"KIV_VOL2.MDB", u"kiv_v2_rat_", u"kiv_v2_bs_", u"Kivob Volume 2", u"Kivob Volume 2"},
    {u"optVol3", K::ThreeYear, 0, u"Volume 3", u"kiv_vol3.mdb", u"KIV_VOL3.MDB", u"kiv_v3_", nullptr, u"Kivob Volume 3", u"Kivob Volume 3"},
    {u"optAtlantic", K::ThreeYear, 416, u"Atlantic", u"kiv_AT.mdb", u"KIV_AT.MDB", u"kiv_AT_", nullptr, u"Kivob Atlantic", u"Kivob Atlantique"},
    {u"optQuebec", K::ThreeYear, 418, u"Quebec", u"kiv_QB.mdb", u"KIV_QB.MDB", u"kiv_QB_", nullptr, u"Kivob Quebec", u"Kivob Québec"},
    {u"optOntario", K::ThreeYear, 0, u"Ontario", u"kiv_ON.mdb", u"KIV_ON.MDB", u"kiv_ON_", nullptr, u"Kivob Ontario", u"Kivob Ontario"},
    {u"optManitoba", K::ThreeYear, 0, u"Manitoba", u"kiv_MN.mdb", u"KIV_MN.MDB", u"kiv_MN_", nullptr, u"Kivob Manitoba", u"Kivob Manitoba"},
    {u"optSaskatchewan", K::ThreeYear, 0, u"Saskatchewan", u"kiv_SK.mdb", u"KIV_SK.MDB", u"kiv_SK_", nullptr, u"Kivob Saskatchewan", u"Kivob Saskatchewan"},
    {u"optPrairies", K::ThreeYear, 456, u"Prairies", u"kiv_PR.mdb", u"KIV_PR.MDB", u"kiv_PR_", nullptr, u"Kivob Prairies", u"Kivob Les Prairies"},
    {u"optAlberta", K::ThreeYear, 0, u"Alberta", u"kiv_AB.mdb", u"KIV_AB.MDB", u"kiv_AB_", nullptr, u"Kivob Alberta", u"Kivob Alberta"},
    {u"optBritishColumbia", K::ThreeYear, 414, u"British Columbia", u"kiv_BC.mdb", u"KIV_BC.MDB", u"kiv_BC_", nullptr, u"Kivob British Columbia", u"Kivob Colombia-Britannique"},
    {u"optNewfoundland", K::ThreeYear, 446, u"New foundland", u"kiv_NF.mdb", u"KIV_NF.MDB", u"kiv_NF_", nullptr, u"Kivob Newfoundland", u"Kivob Terre Neuve"},
    {u"optPrinceEdwardIsland", K::ThreeYear, 448, u"Prince Edward Island", u"kiv_PEI.mdb", u"KIV_PEI.MDB", u"kiv_PEI_", nullptr, u"Kivob Prince Edward Island", u"Kivob Île-du-Prince Edouard"},
    {u"optNovaScotia", K::ThreeYear, 450, u"Nova Scotia", u"kiv_NS.mdb", u"KIV_NS.MDB", u"kiv_NS_", nullptr, u"Kivob Nova Scotia", u"Kivob Nouvelle Écosse"},
    {u"optNewBrunswick", K::ThreeYear, 452, u"New Brunswick", u"kiv_NB.mdb", u"KIV_NB.MDB", u"kiv_NB_", nullptr, u"Kivob New Brunswick", u"Kivob Nouveau Brunswick"},
    {u"optYukon", K::ThreeYear, 0, u"Yukon", u"kiv_YK.mdb", u"KIV_YK.MDB", u"kiv_YK_", nullptr, u"Kivob Yukon", u"Kivob Yukon"},
    {u"optTerritories", K::ThreeYear, 454, u"Territories", u"kiv_NT.mdb", u"KIV_NT.MDB", u"kiv_NT_", nullptr, u"Kivob Territories", u"Kivob Térritoires"},
    {u"optNWT_Nunavut", K::ThreeYear, 458, u"NWT and Nunavut", u"kiv_NWTN.mdb", u"KIV_NWTN.MDB", u"kiv_NWTN_", nullptr, u"Kivob Northwest Territories and Nunavut", u"Kivob Térritoires du Nord-Ouest et Nunavut"},
    // The "other" edition: its file and report prefix come from the name the scan found.
    {u"optOther", K::ThreeYear, 0, u"CMA/RMR", nullptr, nullptr, nullptr, nullptr, u" ", u" "},
};

constexpr const char16_t* kScanOrder[] = {
    u"optVol1", u"optVol2", u"optVol3", u"optAtlantic", u"optOntario", u"optQuebec", u"optManitoba",
    u"optSaskatchewan", u"optPrairies", u"optAlberta", u"optBritishColumbia", u"optNewfoundland",
    u"optPrinceEdwardIsland", u"optNovaScotia", u"optNewBrunswick", u"optYukon", u"optTerritories",
    u"optNWT_Nunavut",
};
} // namespace

std::span<const Edition> editions()
{
    return kEditions;
}

const Edition* editionByOption(QStringView option)
{
    for (const Edition& e : kEditions)
        if (option == QStringView(e.option))
            return &e;
    return nullptr;
}

std::span<const char16_t* const> scanOrder()
{
    return kScanOrder;
}

} // namespace kiv
