#include "store/people_lookups.h"

#include "store/lookup_indexes.h"
#include "store/number_match.h"
#include "store/statement_catalogue.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace orvalen::store {

namespace {

const QString kMatricula = QStringLiteral(":MATRICULA");

// SQL Server compares names without regard to case by its collation; SQLite is told so.
QString nameKey(const Dialect& dialect) {
    return dialect.isSqlite() ? QStringLiteral("NOME COLLATE NOCASE") : QStringLiteral("NOME");
}

// The list's order, ties by number. SQL Server refuses an ORDER BY that names a column
// twice, so the number order names MATRICULA once.
QString listOrder(const QString& column) {
    return column == QLatin1String("MATRICULA") ? column : column + QStringLiteral(", MATRICULA");
}

QString firstFrom(const Dialect& dialect, const QString& column) {
    return dialect.firstRowOnly(
        QStringLiteral("SELECT MATRICULA, NOME FROM AlunosAtivos WHERE %1 >= :KEY ORDER BY %2")
            .arg(column, listOrder(column)));
}

QString page(const Dialect& dialect, const QString& column) {
    const QString paging = dialect.isSqlite()
                               ? QStringLiteral(" LIMIT :LIMIT OFFSET :OFFSET")
                               : QStringLiteral(" OFFSET :OFFSET ROWS FETCH NEXT :LIMIT ROWS ONLY");
    return QStringLiteral("SELECT MATRICULA, NOME FROM AlunosAtivos ORDER BY %1")
               .arg(listOrder(column)) +
           paging;
}

// A lookup by number compared as a number: "IN (...)" for digits, "=" for any other text.
QString byNumber(const char* head, const char* column, const QString& number) {
    return QLatin1String(head) + sameNumberCondition(QLatin1String(column), number).sql;
}

struct NumberLookup {
    const char* name;
    const char* usedWhere;
    const char* head;
    const char* column;
};

constexpr NumberLookup kNumberLookups[] = {
    {"TBLalunosInativosSEEK", "inactive check: whether Alunos lists the number",
     "SELECT Matricula FROM Alunos WHERE ", "Matricula"},
    {"TblFotosAlunosSEEK", "outcome display: a student's photo",
     "SELECT FOTO1 FROM FotosAlunos WHERE ", "MATRICULA"},
    {"TblFotosFuncionariosSEEK", "outcome display: an employee's photo",
     "SELECT FOTO1 FROM FotosFuncionarios WHERE ", "MATRICULA"},
};

// Each lookup as sent for a number of digits (the widest list) and for any other text.
std::vector<CatalogueEntry> numberLookupEntries(const Dialect&) {
    std::vector<CatalogueEntry> entries;
    for (const NumberLookup& lookup : kNumberLookups) {
        const QString name = QLatin1String(lookup.name);
        const QString used = QLatin1String(lookup.usedWhere);
        entries.push_back({name + QStringLiteral(" digits"), used,
                           byNumber(lookup.head, lookup.column, QStringLiteral("1"))});
        entries.push_back({name + QStringLiteral(" text"), used,
                           byNumber(lookup.head, lookup.column, QStringLiteral("A"))});
    }
    return entries;
}

const StatementFamily kNumberLookupFamily{&numberLookupEntries};

const Statement kActiveStudent{"TBLALUNOSATIVOS by number", "identification: the active student",
                               "SELECT * FROM AlunosAtivos WHERE MATRICULA = :MATRICULA"};
const Statement kFirstByNumber{
    "TBLALUNOSATIVOS first from number", "student list: the first number at or after the typed one",
    [](const Dialect& d) { return firstFrom(d, QStringLiteral("MATRICULA")); }};
const Statement kFirstByName{"TBLALUNOSATIVOS first from name",
                             "name search: the first name at or after the typed text",
                             [](const Dialect& d) { return firstFrom(d, nameKey(d)); }};
const Statement kActiveCount{"TBLALUNOSATIVOS count", "student list: how many rows it has",
                             "SELECT COUNT(*) FROM AlunosAtivos"};
const Statement kPositionByNumber{"TBLALUNOSATIVOS position by number",
                                  "student list: the row's place in number order",
                                  "SELECT COUNT(*) FROM AlunosAtivos WHERE MATRICULA < :MATRICULA"};
QString positionByName(const Dialect& d) {
    // Two counts, each along the name index.
    return QStringLiteral("SELECT (SELECT COUNT(*) FROM AlunosAtivos WHERE %1 < :NOME) + "
                          "(SELECT COUNT(*) FROM AlunosAtivos WHERE %1 = :NOME2 AND "
                          "MATRICULA < :MATRICULA)")
        .arg(nameKey(d));
}
const Statement kPositionByName{"TBLALUNOSATIVOS position by name",
                                "student list: the row's place in name order", &positionByName};
const Statement kPageByNumber{
    "TBLALUNOSATIVOS page by number", "student list: one page in number order",
    [](const Dialect& d) { return page(d, QStringLiteral("MATRICULA")); }};
const Statement kPageByName{"TBLALUNOSATIVOS page by name", "student list: one page in name order",
                            [](const Dialect& d) { return page(d, nameKey(d)); }};
const Statement kEmployee{"TBLFUNCIONARIO", "employee access: the employee by number",
                          "SELECT * FROM Funcionarios WHERE MATRICULA = :MATRICULA"};
const Statement kPlan{"TBLPLANOS", "eligibility: the member's plan",
                      "SELECT * FROM PLANOS WHERE CODIGO = :CODIGO"};
const Statement kMonthlyFee{"TBLMODALIDADE", "eligibility: the member's fee",
                            "SELECT * FROM MENSALIDADES WHERE CODIGO = :CODIGO"};
const Statement kBranchCount{"TBLFILIAL count", "branch choice: whether the club has branches",
                             "SELECT COUNT(*) FROM Filial"};
const Statement kFirstAccess{
    "TBLACESSO first row", "visitor access: the access log's first row", [](const Dialect& d) {
        return d.firstRowOnly(QStringLiteral("SELECT MATRICULA, STATUS, OBS FROM Acesso"));
    }};

} // namespace

Result<std::optional<QSqlRecord>> PeopleLookups::oneRow(const QString& sql,
                                                        const Bindings& bindings) const {
    auto query = connection_.execute(sql, bindings);
    if (!query.ok()) {
        return query.error();
    }
    if (!query->next()) {
        return std::optional<QSqlRecord>{};
    }
    return std::optional<QSqlRecord>{query->record()};
}

Result<std::optional<QSqlRecord>> PeopleLookups::activeStudent(const QString& matricula) const {
    return oneRow(kActiveStudent.text(connection_.dialect()), {{kMatricula, matricula}});
}

Result<std::optional<QSqlRecord>>
PeopleLookups::activeStudentByNumber(const QString& matricula) const {
    const NumberCondition condition = sameNumberCondition(QStringLiteral("MATRICULA"), matricula);
    return oneRow(QStringLiteral("SELECT * FROM AlunosAtivos WHERE ") + condition.sql,
                  condition.bindings);
}

Status PeopleLookups::prepareIndexes() const {
    if (!connection_.dialect().isSqlite()) {
        return Status::success(); // the club's server compares names without regard to case already
    }
    for (const LookupIndex& index : lookupIndexes()) {
        if (!index.firstWithoutCase) {
            continue;
        }
        const auto created =
            connection_.execute(createIndexStatement(index, connection_.dialect()));
        if (!created.ok()) {
            return created.error();
        }
    }
    return Status::success();
}

Result<bool> PeopleLookups::studentOnFile(const QString& matricula) const {
    const NumberCondition condition = sameNumberCondition(QStringLiteral("Matricula"), matricula);
    auto row = oneRow(byNumber(kNumberLookups[0].head, kNumberLookups[0].column, matricula),
                      condition.bindings);
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value();
}

Result<std::optional<StudentListRow>> PeopleLookups::firstActiveFrom(StudentOrder order,
                                                                     const QString& key) const {
    const Statement& first = order == StudentOrder::Matricula ? kFirstByNumber : kFirstByName;
    auto row = oneRow(first.text(connection_.dialect()), {{QStringLiteral(":KEY"), key}});
    if (!row.ok()) {
        return row.error();
    }
    if (!row->has_value()) {
        return std::optional<StudentListRow>{};
    }
    const QSqlRecord& record = *row.value();
    return std::optional<StudentListRow>{
        StudentListRow{record.value(0).toString(), record.value(1).toString()}};
}

Result<int> PeopleLookups::activeCount() const {
    auto row = oneRow(kActiveCount.text(connection_.dialect()), {});
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value() ? row.value()->value(0).toInt() : 0;
}

Result<int> PeopleLookups::activePosition(StudentOrder order, const StudentListRow& listRow) const {
    Bindings bindings{{kMatricula, listRow.matricula}};
    const QString sql = (order == StudentOrder::Matricula ? kPositionByNumber : kPositionByName)
                            .text(connection_.dialect());
    if (order != StudentOrder::Matricula) {
        bindings.emplace_back(QStringLiteral(":NOME"), listRow.nome);
        bindings.emplace_back(QStringLiteral(":NOME2"), listRow.nome);
    }
    auto row = oneRow(sql, bindings);
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value() ? row.value()->value(0).toInt() : 0;
}

Result<std::vector<StudentListRow>> PeopleLookups::activePage(StudentOrder order, int offset,
                                                              int limit) const {
    auto query = connection_.execute(
        (order == StudentOrder::Matricula ? kPageByNumber : kPageByName)
            .text(connection_.dialect()),
        {{QStringLiteral(":LIMIT"), limit}, {QStringLiteral(":OFFSET"), offset}});
    if (!query.ok()) {
        return query.error();
    }
    std::vector<StudentListRow> rows;
    while (query->next()) {
        rows.push_back({query->value(0).toString(), query->value(1).toString()});
    }
    return rows;
}

Result<PhotoRow> PeopleLookups::photo(const QString& table, const QString& matricula) const {
    const NumberLookup& lookup =
        table == QLatin1String("FotosAlunos") ? kNumberLookups[1] : kNumberLookups[2];
    const NumberCondition condition = sameNumberCondition(QLatin1String(lookup.column), matricula);
    auto row = oneRow(byNumber(lookup.head, lookup.column, matricula), condition.bindings);
    if (!row.ok()) {
        return row.error();
    }
    PhotoRow photo;
    if (row->has_value()) {
        photo.found = true;
        const QVariant value = row.value()->value(0);
        photo.isNull = value.isNull();
        photo.bytes = value.toByteArray();
    }
    return photo;
}

Result<PhotoRow> PeopleLookups::studentPhoto(const QString& matricula) const {
    return photo(QStringLiteral("FotosAlunos"), matricula);
}

Result<PhotoRow> PeopleLookups::employeePhoto(const QString& matricula) const {
    return photo(QStringLiteral("FotosFuncionarios"), matricula);
}

Result<std::optional<QSqlRecord>> PeopleLookups::employee(const QString& matricula) const {
    return oneRow(kEmployee.text(connection_.dialect()), {{kMatricula, matricula}});
}

Result<std::optional<QSqlRecord>> PeopleLookups::plan(const QString& code) const {
    return oneRow(kPlan.text(connection_.dialect()), {{QStringLiteral(":CODIGO"), code}});
}

Result<std::optional<QSqlRecord>> PeopleLookups::monthlyFee(const QString& code) const {
    return oneRow(kMonthlyFee.text(connection_.dialect()), {{QStringLiteral(":CODIGO"), code}});
}

Result<int> PeopleLookups::branchCount() const {
    auto row = oneRow(kBranchCount.text(connection_.dialect()), {});
    if (!row.ok()) {
        return row.error();
    }
    return row->has_value() ? row.value()->value(0).toInt() : 0;
}

Result<std::optional<QSqlRecord>> PeopleLookups::firstAccessRow() const {
    return oneRow(kFirstAccess.text(connection_.dialect()), {});
}

} // namespace orvalen::store
