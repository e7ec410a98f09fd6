#include "ratios/edition_facts.h"

#include "shell/module1.h"

namespace kiv {
namespace {

struct OneYearEdition {
    const char16_t* option;
    int firmSizeId;
    int revenueId; // ends in a blank: the year follows
    int year;
    int codeSystemId;
};

constexpr OneYearEdition kEditions[] = {
    {u"optVol1", 8, 10, 1999, 408},
    {u"optVol2", 292, 284, 1997, 50},
};

const OneYearEdition* find(QStringView option)
{
    for (const OneYearEdition& e : kEditions)
        if (option == QStringView(e.option))
            return &e;
    return nullptr;
}

} // namespace

std::optional<int> editionReferenceYear(QStringView option)
{
    if (const OneYearEdition* e = find(option))
        return e->year;
    return std::nullopt;
}

std::optional<EditionHeaderTexts> editionHeaderTexts(QStringView option, int language)
{
    const OneYearEdition* e = find(option);
    if (!e)
        return std::nullopt;
    const int offset = language == 0 ? 0 : 1;
    return EditionHeaderTexts{LoadResString(e->firmSizeId + offset),
                              LoadResString(e->revenueId + offset) + QString::number(e->year),
                              LoadResString(e->codeSystemId + offset)};
}

} // namespace kiv
