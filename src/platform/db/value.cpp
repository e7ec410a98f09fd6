// Values, errors, the engine's text comparison and snapshots: what both engines share.
#include "platform/db/database.h"
#include "numbers/numbers.h"

#include <cmath>

namespace kiv::db {

Value Value::number(double v, bool single)
{
    Value r;
    r.type_ = Type::Number;
    r.single_ = single;
    r.number_ = single ? static_cast<double>(static_cast<float>(v)) : v;
    return r;
}

Value Value::text(const QString& s)
{
    Value r;
    r.type_ = Type::Text;
    r.text_ = s;
    return r;
}

double Value::toDouble() const
{
    switch (type_) {
    case Type::Number:
        return number_;
    case Type::Text:
        return num::leadingNumber(text_);
    case Type::Null:
        break;
    }
    return 0.0;
}

QString Value::toText() const
{
    switch (type_) {
    case Type::Null:
        return QString();
    case Type::Text:
        return text_;
    case Type::Number:
        break;
    }
    if (number_ == 0)
        return QStringLiteral("0"); // also for -0
    if (!std::isfinite(number_))
        return std::isnan(number_) ? QStringLiteral("NaN") : number_ > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (single_)
        return num::totalForm(static_cast<float>(number_));
    // QString::number is independent of the user's locale: always a period.
    return QString::number(number_, 'G', 15);
}

QString Value::ratioText() const
{
    if (type_ == Type::Number && single_)
        return num::ratioForm(static_cast<float>(number_));
    return num::ratioForm(toDouble());
}

bool Value::operator==(const Value& o) const
{
    if (type_ != o.type_)
        return false;
    switch (type_) {
    case Type::Null:
        return true;
    case Type::Number:
        return number_ == o.number_ && single_ == o.single_;
    case Type::Text:
        return text_ == o.text_;
    }
    return false;
}

DbError::DbError(Code code, const QString& file, const QString& detail)
    : std::runtime_error((file.isEmpty() ? detail : file + QStringLiteral(": ") + detail).toStdString())
    , code_(code)
    , file_(file)
    , detail_(detail)
{
}

bool sameText(QStringView a, QStringView b)
{
    // Qt folds case letter by letter over the whole of Unicode (Greek, Cyrillic, accented
    // Latin letters alike) and never strips accents.
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Snapshot::Snapshot(QString table, QStringList columns, std::vector<std::vector<Value>> rows, QString file)
    : table_(std::move(table))
    , columns_(std::move(columns))
    , rows_(std::move(rows))
    , file_(std::move(file))
{
}

int Snapshot::columnIndex(QStringView name) const
{
    for (int i = 0; i < columns_.size(); ++i)
        if (sameText(columns_[i], name))
            return i;
    return -1;
}

bool Snapshot::FindFirst(const std::function<bool(const Snapshot&, int row)>& test)
{
    for (int row = 0; row < rowCount(); ++row) {
        if (test(*this, row)) {
            pos_ = row;
            noMatch_ = false;
            return true;
        }
    }
    noMatch_ = true;
    return false;
}

Value Snapshot::value(int row, QStringView name) const
{
    const int column = columnIndex(name);
    if (column < 0)
        throw DbError(DbError::Code::NoSuchColumn, file_,
                      QStringLiteral("the table %1 has no column %2").arg(table_, name.toString()));
    if (row < 0 || row >= rowCount())
        throw DbError(DbError::Code::NoCurrentRow, file_, QStringLiteral("the table %1 has no current row").arg(table_));
    return value(row, column);
}

Value Snapshot::Field(QStringView name) const
{
    return value(pos_, name);
}

std::shared_ptr<Snapshot> Snapshot::where(const std::function<bool(const Snapshot&, int row)>& test) const
{
    std::vector<std::vector<Value>> rows;
    for (int row = 0; row < rowCount(); ++row)
        if (test(*this, row))
            rows.push_back(rows_[static_cast<std::size_t>(row)]);
    return std::make_shared<Snapshot>(table_, columns_, std::move(rows), file_);
}

bool Database::hasTable(QStringView name) const
{
    for (const QString& t : tableNames())
        if (sameText(t, name))
            return true;
    return false;
}

} // namespace kiv::db
