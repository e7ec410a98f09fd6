#pragma once
// The tables the program reads and writes, column by column, as they are stored: the edition
// databases (KIV_DATA, Category) and the saved-figure stores (MyValue_v12, MyValue_v3).
#include "platform/db/database.h"

#include <QStringList>

namespace kiv::db::schema {

// KIV_DATA columns every edition has, in stored order:
// Industry SIC IndustryDescriptionE IndustryDescriptionF DEFINITIONSE DEFINITIONSF Category.
const QStringList& sharedKivDataColumns();
// The 45 one-year quartile columns, ratio by ratio, each Q1 Q2 Q3 (NpmQ1 NpmQ2 NPMQ3 ... IcQ3).
const QStringList& oneYearQuartileColumns();
// The 26 balance-sheet columns (single precision), in the balance-sheet window's row order.
const QStringList& balanceSheetColumns();
// The 54 three-year quartile columns: NPM PPM GPM PPA ROE LTA, then year 1..3, then Q1..Q3
// (NPMQ1_1 NPMQ2_1 NPMQ3_1 NPMQ1_2 ... LTAQ3_3).
const QStringList& threeYearQuartileColumns();
// Whole KIV_DATA tables: one-year (79 columns: shared, NumberOfFirms, quartiles, balance
// sheet) and three-year (61 columns: shared, quartiles).
const QStringList& oneYearKivDataColumns();
const QStringList& threeYearKivDataColumns();
// Category: Category NameE NameF.
const QStringList& categoryColumns();
// The saved-figure stores: MyValue_v12 (33 columns in the one-year window's save order) and
// MyValue_v3 (27 columns, the Year3 block, then Year2, then Year1).
const QStringList& myValueV12Columns();
const QStringList& myValueV3Columns();

// The one-year ratio stems whose quartiles are percentages (Npm ... Re); the other six are
// plain ratios. Three-year: NPM PPM GPM PPA ROE are percentages, LTA a plain ratio.
const QStringList& oneYearPercentStems();
const QStringList& threeYearPercentStems();

// How a column of one of these tables is stored (names case-blind): Industry and
// NumberOfFirms Long, the texts Text, the balance-sheet columns Single, everything else of
// KIV_DATA and both stores Double. Category's three columns are Text.
ColumnType columnType(QStringView table, QStringView column);

} // namespace kiv::db::schema
