#include "platform/report/report_labels.h"

namespace kiv::report::labels {
namespace {

constexpr Text kGroups[] = {
    {u"Profitability (percentages)", u"Ratios de rentabilité (pourcentages)"},
    {u"Efficiency (ratios)", u"Ratios de rendement"},
    {u"Liquidity/Solvency (ratios)", u"Ratios de liquidité/solvabilité"},
};

// Column stems as stored: NPMQ3 in capitals, Orttnoa with a double t.
constexpr Ratio kOneYear[] = {
    {u"NpmQ1", u"NpmQ2", u"NPMQ3", {u"Net profit margin", u"Marge bénéficiaire nette"}, 0},
    {u"PpmQ1", u"PpmQ2", u"PpmQ3", {u"Pretax profit margin", u"Marge bénéficiaire avant impôts"}, 0},
    {u"OpmQ1", u"OpmQ2", u"OpmQ3", {u"Operating profit margin", u"Marge bénéficiaire d'exploitation"}, 0},
    {u"GpmQ1", u"GpmQ2", u"GpmQ3", {u"Gross profit margin", u"Marge bénéficiaire brute"}, 0},
    {u"OrttnoaQ1", u"OrttnoaQ2", u"OrttnoaQ3",
     {u"Operating revenue to net operating assets", u"Recettes d'exploitation aux actifs net d'exploitation"}, 0},
    {u"RnoaQ1", u"RnoaQ2", u"RnoaQ3", {u"Return on net operating assets", u"Rendement des actifs nets d'exploitation"}, 0},
    {u"PpaQ1", u"PpaQ2", u"PpaQ3", {u"Pretax profit to assets", u"Ratio du bénéfice avant impôts sur l'actif"}, 0},
    {u"RceQ1", u"RceQ2", u"RceQ3", {u"Return on capital employed", u"Rendement du capital investi"}, 0},
    {u"ReQ1", u"ReQ2", u"ReQ3", {u"Return on equity", u"Rendement des capitaux propres"}, 0},
    {u"RtQ1", u"RtQ2", u"RtQ3", {u"Receivable turnover", u"Rotation des comptes débiteurs"}, 1},
    {u"ItQ1", u"ItQ2", u"ItQ3", {u"Inventory turnover", u"Rotation des stocks"}, 1},
    {u"WcQ1", u"WcQ2", u"WcQ3", {u"Working capital", u"Fonds de roulement"}, 2},
    {u"DeQ1", u"DeQ2", u"DeQ3", {u"Debt to equity", u"Ratio d'endettement"}, 2},
    {u"LtaQ1", u"LtaQ2", u"LtaQ3", {u"Liabilities to assets", u"Ratio du passif à l'actif"}, 2},
    {u"IcQ1", u"IcQ2", u"IcQ3", {u"Interest coverage", u"Couverture de l'intérêt"}, 2},
};

constexpr Ratio3 kThreeYear[] = {
    {u"NPM", {u"Net profit margin", u"Marge bénéficiaire nette"}, 0},
    {u"PPM", {u"Pretax profit margin", u"Marge bénéficiaire avant impôts"}, 0},
    {u"GPM", {u"Gross profit margin", u"Marge bénéficiaire brute"}, 0},
    {u"PPA", {u"Pretax profit to assets", u"Ratio du bénéfice avant impôts sur l'actif"}, 0},
    {u"ROE", {u"Return on equity", u"Rendement des capitaux propres"}, 0},
    {u"LTA", {u"Liabilities to assets", u"Ratio du passif à l'actif"}, 2},
};

constexpr BalanceRow kBalance[] = {
    {nullptr, {u"Assets", u"Actifs"}, false},
    {u"A11", {u"Cash", u"Encaisse"}, false},
    {u"A12", {u"Accounts receivable", u"Comptes débiteurs"}, false},
    {u"A13", {u"Inventory", u"Stocks"}, false},
    {u"A18", {u"Capital assets", u"Immobilisations"}, false},
    {u"A19", {u"Other assets", u"Autres actifs"}, false},
    {u"TOTOA", {u"Total operating assets", u"Total, actifs d'exploitation"}, true},
    {u"A14", {u"Investments with affiliates", u"Placements auprès de sociétés affiliées"}, false},
    {u"A151617", {u"Portfolio investments", u"Placements de portefeuille"}, false},
    {u"TOTASS", {u"Total assets", u"Total, actifs"}, true},
    {nullptr, {u"Liabilities", u"Passifs"}, false},
    {u"A22", {u"Accounts payable", u"Comptes créditeurs"}, false},
    {u"A25100", {u"Banks", u"Emprunts bancaires"}, false},
    {u"A25200", {u"Short term paper", u"Papier à court terme"}, false},
    {u"A25500", {u"Mortgages", u"Hypothèques"}, false},
    {u"A25400", {u"Bonds", u"Obligations"}, false},
    {u"A25180", {u"Other loans", u"Autres emprunts"}, false},
    {u"A24", {u"Amounts owing to parent, subsidiaries, affiliates and shareholders",
              u"Comptes à payer à la société mère, les filiales, les sociétés affiliées et les actionnaires"},
     false},
    {u"A2329", {u"Other liabilities", u"Autres passifs"}, false},
    {u"A27", {u"Deferred income tax", u"Impôts sur le revenu reporté"}, false},
    {u"TOTLIAB", {u"Total liabilities", u"Total, passifs"}, true},
    {nullptr, {u"Shareholders' equity", u"Capitaux propres"}, false},
    {u"A31", {u"Share capital", u"Capital-actions"}, false},
    {u"A38", {u"Retained earnings", u"Bénéfices non répartis"}, false},
    {u"A283334", {u"Other surplus", u"Autres surplus"}, false},
    {u"TOTSE", {u"Total shareholders' equity", u"Total, capitaux propres"}, true},
    {u"TOTLSE", {u"Total liabilities and shareholders' equity", u"Total, passifs et capitaux propres"}, true},
    {nullptr, {u"Current items", u"Postes à court terme"}, false},
    {u"CURASS", {u"Current assets - % of total assets", u"Actifs à court terme - % des actifs totaux"}, false},
    {u"CURLIAB", {u"Current liabilities - % of total assets", u"Passifs à court terme - % des actifs totaux"}, false},
};

constexpr Year kYears[] = {{3, u"1999"}, {2, u"1998"}, {1, u"1997"}};

} // namespace

std::span<const Text> groups()
{
    return kGroups;
}
std::span<const Ratio> oneYearRatios()
{
    return kOneYear;
}
std::span<const Ratio3> threeYearRatios()
{
    return kThreeYear;
}
std::span<const BalanceRow> balanceRows()
{
    return kBalance;
}
std::span<const Year> years()
{
    return kYears;
}

const Text kRatiosTitle{u"Financial ratios", u"Ratios financiers"};
const Text kBalanceTitle{u"Balance sheet structure", u"Structure du bilan"};
const Text kThreeYearTitle{u"Financial ratios, 1997 to 1999", u"Ratios financiers, 1997 à 1999"};
const Text kIndustry{u"Industry", u"Industrie"};
const Text kNumberOfFirms{u"Number of firms in the group", u"Nombre total d'entreprises dans le groupe"};
const Text kRatioHead{u"Ratio", u"Ratio"};
const Text kItemHead{u"Item", u"Poste"};
const Text kYearHead{u"Year", u"Année"};
const Text kQ1Head{u"First quartile", u"Premier quartile"};
const Text kMedianHead{u"Median", u"Médiane"};
const Text kQ3Head{u"Third quartile", u"Troisième quartile"};
const Text kPercentHead{u"% of total assets", u"% des actifs totaux"};
const Text kNoIndustry{u"No industry matches the report's selection.", u"Aucune industrie ne répond à la sélection du rapport."};
const Text kCodeVolume1{u"SICC", u"CTI-C"};
const Text kCodeOther{u"SICE", u"CTI-E"};

} // namespace kiv::report::labels
