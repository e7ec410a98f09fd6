#pragma once
// Positions written the way the tables of cases read, and shown readably when a case fails.
#include "ratios/quartile_rank.h"

#include <QTest>

inline kiv::QuartilePosition better(const QString& text)
{
    return {kiv::RankColumn::Better, text};
}

inline kiv::QuartilePosition worse(const QString& text)
{
    return {kiv::RankColumn::Worse, text};
}

namespace QTest {
template <>
inline char* toString(const kiv::QuartilePosition& p)
{
    const QString column = p.column == kiv::RankColumn::Better ? QStringLiteral("better") : QStringLiteral("worse");
    return qstrdup(qPrintable(column + QStringLiteral(" \"") + p.text + u'"'));
}
template <>
inline char* toString(const kiv::IndustryQuartiles& q)
{
    return qstrdup(qPrintable(QStringLiteral("%1 | %2 | %3").arg(q.q1, q.q2, q.q3)));
}
} // namespace QTest
