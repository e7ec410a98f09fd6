#include "industry/edition_data.h"

#include "industry/text_match.h"
#include "platform/db/edition_schema.h"

namespace kiv::industry {

namespace {
QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}
} // namespace

QStringList requiredDataColumns(EditionKind kind)
{
    return kind == EditionKind::OneYear ? db::schema::oneYearKivDataColumns() : db::schema::threeYearKivDataColumns();
}

QStringList requiredCategoryColumns()
{
    return db::schema::categoryColumns();
}

EditionProblem problemOf(const db::DbError& e, const QString& file)
{
    EditionProblem p;
    p.file = file;
    p.detail = e.detail();
    switch (e.code()) {
    case db::DbError::Code::CannotOpen:
        p.kind = EditionProblem::Kind::CannotOpen;
        break;
    case db::DbError::Code::NotADatabase:
        p.kind = EditionProblem::Kind::NotADatabase;
        break;
    default:
        p.kind = EditionProblem::Kind::ReadFailed;
        break;
    }
    return p;
}

QString problemMessage(const EditionProblem& p, int language)
{
    const bool fr = language == 1;
    const QString& file = p.file;
    QString what;
    switch (p.kind) {
    case EditionProblem::Kind::NoEdition:
        what = fr ? QStringLiteral("Aucune édition n'est choisie : choisissez une édition dans le menu.")
                  : QStringLiteral("No edition is selected: choose an edition on the menu.");
        return what;
    case EditionProblem::Kind::CannotOpen:
        what = fr ? QStringLiteral("La base de données de l'édition \"%1\" ne peut pas être ouverte.").arg(file)
                  : QStringLiteral("The edition database \"%1\" cannot be opened.").arg(file);
        break;
    case EditionProblem::Kind::NotADatabase:
        what = fr ? QStringLiteral("Le fichier \"%1\" n'est pas une base de données d'édition lisible : il est endommagé ou d'un autre type.").arg(file)
                  : QStringLiteral("The file \"%1\" is not a readable edition database: it is damaged or of another kind.").arg(file);
        break;
    case EditionProblem::Kind::NoTable:
        what = fr ? QStringLiteral("La base de données de l'édition \"%1\" n'a pas de table %2.").arg(file, p.table)
                  : QStringLiteral("The edition database \"%1\" has no table %2.").arg(file, p.table);
        break;
    case EditionProblem::Kind::NoColumn:
        what = fr ? QStringLiteral("La table %2 de la base de données de l'édition \"%1\" n'a pas de colonne %3.").arg(file, p.table, p.column)
                  : QStringLiteral("The table %2 of the edition database \"%1\" has no column %3.").arg(file, p.table, p.column);
        break;
    case EditionProblem::Kind::NoIndustry:
        what = fr ? QStringLiteral("La base de données de l'édition \"%1\" ne contient aucune industrie.").arg(file)
                  : QStringLiteral("The edition database \"%1\" holds no industry.").arg(file);
        break;
    case EditionProblem::Kind::ReadFailed:
        what = fr ? QStringLiteral("La base de données de l'édition \"%1\" ne peut pas être lue.").arg(file)
                  : QStringLiteral("The edition database \"%1\" cannot be read.").arg(file);
        break;
    }
    if (!p.detail.isEmpty())
        what += QStringLiteral(" (") + p.detail + QStringLiteral(")");
    what += fr ? QStringLiteral("\nRetour au menu des éditions.") : QStringLiteral("\nBack to the edition menu.");
    return what;
}

std::shared_ptr<db::Database> openEditionDatabase(const QString& path)
{
    if (path.isEmpty()) {
        EditionProblem p;
        p.kind = EditionProblem::Kind::NoEdition;
        throw EditionError(p);
    }
    try {
        return db::Database::open(path, true);
    } catch (const db::DbError& e) {
        throw EditionError(problemOf(e, path));
    } catch (const std::exception& e) {
        EditionProblem p;
        p.kind = EditionProblem::Kind::NotADatabase;
        p.file = path;
        p.detail = QString::fromLocal8Bit(e.what());
        throw EditionError(p);
    }
}

namespace {
std::shared_ptr<db::Snapshot> readChecked(db::Database& database, const QString& table, const QStringList& columns)
{
    std::shared_ptr<db::Snapshot> snap;
    try {
        if (!database.hasTable(table)) {
            EditionProblem p;
            p.kind = EditionProblem::Kind::NoTable;
            p.file = database.path();
            p.table = table;
            throw EditionError(p);
        }
        snap = database.openSnapshot(table);
    } catch (const db::DbError& e) {
        EditionProblem p = problemOf(e, database.path());
        if (e.code() == db::DbError::Code::NoSuchTable) {
            p.kind = EditionProblem::Kind::NoTable;
            p.table = table;
            p.detail.clear();
        }
        throw EditionError(p);
    } catch (const EditionError&) {
        throw;
    } catch (const std::exception& e) {
        EditionProblem p;
        p.kind = EditionProblem::Kind::ReadFailed;
        p.file = database.path();
        p.detail = QString::fromLocal8Bit(e.what());
        throw EditionError(p);
    }
    for (const QString& c : columns) {
        if (!snap->hasColumn(c)) {
            EditionProblem p;
            p.kind = EditionProblem::Kind::NoColumn;
            p.file = database.path();
            p.table = table;
            p.column = c;
            throw EditionError(p);
        }
    }
    return snap;
}
} // namespace

std::shared_ptr<db::Snapshot> readIndustryTable(db::Database& database, EditionKind kind)
{
    auto snap = readChecked(database, s(kDataTable), requiredDataColumns(kind));
    if (snap->rowCount() == 0) {
        EditionProblem p;
        p.kind = EditionProblem::Kind::NoIndustry;
        p.file = database.path();
        throw EditionError(p);
    }
    snap->MoveFirst();
    return snap;
}

std::shared_ptr<db::Snapshot> readSectorTable(db::Database& database)
{
    auto snap = readChecked(database, s(kCategoryTable), requiredCategoryColumns());
    snap->MoveFirst();
    return snap;
}

QString nameColumn(int language)
{
    return language == 1 ? QStringLiteral("IndustryDescriptionF") : QStringLiteral("IndustryDescriptionE");
}

QString definitionColumn(int language)
{
    return language == 1 ? QStringLiteral("DEFINITIONSF") : QStringLiteral("DEFINITIONSE");
}

namespace {
QStringList columnTexts(const db::Snapshot& snap, const QString& column)
{
    QStringList list;
    const int c = snap.columnIndex(column);
    if (c < 0)
        return list;
    list.reserve(snap.rowCount());
    for (int r = 0; r < snap.rowCount(); ++r)
        list.append(snap.value(r, c).toText());
    return list;
}
} // namespace

QStringList industryNames(const db::Snapshot& data, int language)
{
    return columnTexts(data, nameColumn(language));
}

QStringList sectorNames(const db::Snapshot& categories, int language)
{
    return columnTexts(categories, language == 1 ? QStringLiteral("NameF") : QStringLiteral("NameE"));
}

namespace {
// Equality as the database compares texts; a Null equals nothing.
bool equalsText(const db::Value& v, const QString& text)
{
    return !v.isNull() && db::sameText(v.toText(), text);
}
} // namespace

QString sectorCode(db::Database& database, const QString& sectorName, int language)
{
    const auto categories = database.openSnapshot(s(kCategoryTable));
    const int nameCol = categories->columnIndex(language == 1 ? u"NameF" : u"NameE");
    const int codeCol = categories->columnIndex(u"Category");
    if (nameCol < 0 || codeCol < 0)
        throw db::DbError(db::DbError::Code::NoSuchColumn, database.path(),
                          QStringLiteral("the table Category lacks the column Category, NameE or NameF"));
    for (int r = 0; r < categories->rowCount(); ++r)
        if (equalsText(categories->value(r, nameCol), sectorName))
            return categories->value(r, codeCol).toText();
    return QString();
}

std::shared_ptr<db::Snapshot> sectorIndustries(db::Database& database, const QString& code)
{
    const auto data = database.openSnapshot(s(kDataTable));
    const int col = data->columnIndex(u"Category");
    if (col < 0)
        throw db::DbError(db::DbError::Code::NoSuchColumn, database.path(), QStringLiteral("the table KIV_DATA has no column Category"));
    return data->where([&](const db::Snapshot& snap, int row) { return equalsText(snap.value(row, col), code); });
}

bool findRow(db::Snapshot& data, const QString& column, const QString& text)
{
    const int col = data.columnIndex(column);
    if (col < 0)
        return false;
    return data.FindFirst([&](const db::Snapshot& snap, int row) { return equalsText(snap.value(row, col), text); });
}

bool isSomeForm(const QString& wordForm)
{
    return db::sameText(wordForm, u"Some") || db::sameText(wordForm, u"mot partiel");
}

bool isExactForm(const QString& wordForm)
{
    return db::sameText(wordForm, u"Exact") || db::sameText(wordForm, u"mots exacts");
}

QString searchedColumn(const SearchRequest& r)
{
    if (!r.listByName && isExactForm(r.wordForm))
        return QStringLiteral("SIC");
    if (r.language == 1)
        return db::sameText(r.searchIn, u"Définition") ? QStringLiteral("DEFINITIONSF") : QStringLiteral("IndustryDescriptionF");
    return db::sameText(r.searchIn, u"Definition") ? QStringLiteral("DEFINITIONSE") : QStringLiteral("IndustryDescriptionE");
}

std::vector<SearchHit> searchIndustries(const db::Snapshot& data, int fromRow, const SearchRequest& r)
{
    std::vector<SearchHit> hits;
    const int col = data.columnIndex(searchedColumn(r));
    const int nameCol = data.columnIndex(nameColumn(r.language));
    const int sicCol = data.columnIndex(u"SIC");
    if (col < 0 || nameCol < 0)
        return hits;
    const int first = std::max(fromRow, 0);

    if (!isExactForm(r.wordForm)) {
        const QString key = isSomeForm(r.wordForm) ? QStringLiteral("*") + r.key + QStringLiteral("*") : r.key;
        const std::optional<LikePattern> pattern = LikePattern::compile(key);
        if (!pattern)
            return hits;
        for (int row = first; row < data.rowCount(); ++row) {
            const db::Value& v = data.value(row, col);
            if (v.isNull())
                continue;
            if (v.isText() ? pattern->matches(v.textView()) : pattern->matches(v.toText()))
                hits.push_back({row, data.value(row, nameCol).toText()});
        }
        return hits;
    }

    const int entryCol = r.listByName ? nameCol : sicCol;
    for (int row = first; row < data.rowCount(); ++row) {
        const db::Value& v = data.value(row, col);
        if (!v.isText() && !v.isNumber())
            continue;
        const QString number = v.isNumber() ? v.toText() : QString();
        forEachWord(v.isText() ? v.textView() : QStringView(number), [&](QStringView word) {
            if (db::sameText(word, r.key))
                hits.push_back({row, entryCol >= 0 ? data.value(row, entryCol).toText() : QString()});
        });
    }
    return hits;
}

} // namespace kiv::industry
