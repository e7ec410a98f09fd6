#pragma once
// The saved one-year figures: the store "kiv_MyValue_v12.mdb" with its table MyValue_v12, one
// column per entry box named after the box without "txt". The columns come in the store's own
// order, which is not the window's: the income statement lies between the assets and the
// liabilities. Typed amounts are given back in the entry form. The five totals are saved as
// their boxes show them and given back in the total form, but the window shows none of the
// stored totals: it makes them from the restored amounts, as typing them would (so a Save
// followed by a Restore shows the boxes as they were, and a store whose totals do not add up
// shows totals that do).
#include "values/company_values.h"
#include "values/figure_store.h"

#include <QStringList>
#include <array>

namespace kiv::values {

// The 33 items in the store's column order.
const std::array<Item, kItemCount>& savedOrder();
// The store of the one-year figures.
const store::FigureStore& savedOneYearFigures();
// Each column's item in the user's words (its caption without a final blank), in column order.
QStringList savedItemNames(int language);

// The box texts (by item) in column order, and back.
QStringList toSavedOrder(const Texts& texts);
Texts fromSavedOrder(const QStringList& columns);

} // namespace kiv::values
