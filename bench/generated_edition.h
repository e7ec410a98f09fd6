#pragma once
// A made-up one-year edition for the benchmarks: industries with names, definitions, codes and
// quartiles, in twelve sectors.
#include "platform/db/database.h"
#include "platform/db/edition_schema.h"

#include <QString>
#include <cmath>
#include <iterator>
#include <random>

namespace kivbench {

inline const char* const kGoods[] = {"furniture", "toy", "shoe", "clothing", "hardware", "paint", "bread", "dairy",
                                     "metal door", "window", "lumber", "paper", "printing", "plastic", "glass",
                                     "cement", "textile", "leather", "jewellery", "book", "music", "sporting goods",
                                     "bicycle", "boat", "truck", "machinery", "electronics", "computer", "software",
                                     "appliance", "lighting", "flooring", "roofing", "plumbing", "heating", "fuel",
                                     "chemical", "fertilizer", "seed", "grain", "meat", "fish", "fruit", "vegetable",
                                     "beverage", "tobacco", "pharmaceutical", "cosmetic", "optical", "medical"};
inline const char* const kSectors[] = {"manufacturing", "wholesale", "stores", "repair", "rental", "trucking",
                                       "warehousing", "importers", "exporters", "recycling", "design studios", "packaging"};
inline const char* const kWords[] = {"establishments", "primarily", "engaged", "in", "the", "of", "and", "retail",
                                     "sale", "making", "products", "services", "for", "households", "businesses",
                                     "including", "other", "related", "equipment", "supplies", "materials", "with",
                                     "a", "storefront", "selling", "mainly", "new", "used", "parts", "custom"};

inline QString title(std::mt19937& rng, int n)
{
    const char* goods = kGoods[rng() % std::size(kGoods)];
    const char* sector = kSectors[rng() % std::size(kSectors)];
    // A running number keeps names unique, as every edition's names are.
    return QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(goods), QString::fromLatin1(sector)).arg(n);
}

inline QString sentence(std::mt19937& rng, int words)
{
    QString s = QStringLiteral("This industry comprises");
    for (int i = 0; i < words; ++i) {
        s += u' ';
        s += QString::fromLatin1(kWords[rng() % std::size(kWords)]);
        if (i % 9 == 8)
            s += u',';
    }
    return s + u'.';
}

// A one-year edition's KIV_DATA of the given number of industries in twelve sectors: made-up
// names and definitions, quartiles between -5 and 60.
inline kiv::db::TableData industries(std::mt19937& rng, int count)
{
    using kiv::db::ColumnType;
    using kiv::db::Value;
    kiv::db::TableData t;
    t.name = QStringLiteral("KIV_DATA");
    for (const QString& c : kiv::db::schema::oneYearKivDataColumns())
        t.columns.push_back({c, kiv::db::schema::columnType(t.name, c)});
    std::uniform_real_distribution<double> quartile(-5, 60);
    for (int i = 0; i < count; ++i) {
        std::vector<Value> row;
        row.reserve(t.columns.size());
        const int sector = static_cast<int>(rng() % 12);
        const int code = 1000 + i % 9000;
        row.push_back(Value::number((sector + 1) * 1000 + i));
        const unsigned form = rng() % 10;
        row.push_back(Value::text(form < 7 ? QString::number(code)
                                  : form < 9 ? QStringLiteral("%1, %2").arg(code).arg(code + 1)
                                             : QStringLiteral("not applicable")));
        const QString en = title(rng, i);
        row.push_back(Value::text(en));
        row.push_back(Value::text(QStringLiteral("Industrie ") + en));
        const int words = 12 + static_cast<int>(rng() % 30);
        row.push_back(Value::text(sentence(rng, words) + (rng() % 10 < 6 ? u' ' + sentence(rng, words / 2) : QString())));
        row.push_back(Value::text(sentence(rng, words)));
        row.push_back(Value::text(QString(QChar(u'A' + sector))));
        row.push_back(Value::number(20 + static_cast<int>(rng() % 2500)));
        while (row.size() < t.columns.size())
            row.push_back(Value::number(std::round(quartile(rng) * 100) / 100,
                                        t.columns[row.size()].type == ColumnType::Single));
        t.rows.push_back(std::move(row));
    }
    return t;
}

// The twelve sectors of the Category table.
inline kiv::db::TableData sectors()
{
    using kiv::db::Value;
    kiv::db::TableData t;
    t.name = QStringLiteral("Category");
    t.columns = {{QStringLiteral("Category"), kiv::db::ColumnType::Text},
                 {QStringLiteral("NameE"), kiv::db::ColumnType::Text},
                 {QStringLiteral("NameF"), kiv::db::ColumnType::Text}};
    for (int s = 0; s < 12; ++s) {
        const QString name = QString::fromLatin1(kSectors[s]);
        t.rows.push_back({Value::text(QString(QChar(u'A' + s))), Value::text(name), Value::text(QStringLiteral("Secteur ") + name)});
    }
    return t;
}

} // namespace kivbench
