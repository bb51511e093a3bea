#include "store/table_opening.h"

#include "store/branches.h"
#include "store/datalink.h"
#include "store/db_values.h"
#include "store/schema.h"
#include "store/statement_catalogue.h"
#include "store/stored_date_time.h"
#include "store/table_write.h"

#include <algorithm>
#include <map>

namespace orvalen::store {

namespace {

DatasetOpening dataset(const char* component, const char* label, const char* table) {
    return {QLatin1String(component), QLatin1String(label), QLatin1String(table)};
}

std::map<OpeningScreen, std::vector<DatasetOpening>> buildOrders() {
    using S = OpeningScreen;
    return {
        {S::Terminal,
         {dataset("TBLACESSO", "Acesso", "acesso"),
          dataset("TBLACESSOFUNC", "AcessoFuncionarios", "AcessoFuncionarios"),
          dataset("TBLACESSOVIS", "AcessoVisitantes", "AcessoVisitantes"),
          dataset("TBLALUNOSATIVOS", "AlunosAtivos", "AlunosAtivos"),
          dataset("TBLCONTROLE", "Controle", "sacvar"),
          dataset("TBLCONTROLE2", "Controle2", "SACVAR2"), dataset("TBLCAIXA", "Caixa", "caixa"),
          dataset("TBLMODALIDADE", "Mensalidades", "MENSALIDADES"),
          dataset("TBLFUNCIONARIO", "Funcionarios", "Funcionarios"),
          dataset("TBLTURMAS", "Turma", "Turma"), dataset("TBLPLANOS", "Planos", "PLANOS"),
          dataset("TBLACESSODIA", "AcessoDia", "AcessoDia"),
          dataset("TBLFILIAL", "Filial", "Filial"),
          dataset("TBLLIBERAGYMPASS", "LiberaGympass", "LiberaGympass")}},
        {S::Login,
         {dataset("TBLUSUARIOS", "Usuarios", "Usuarios"),
          dataset("TBLCONTROLE", "Controle", "Sacvar"),
          dataset("TBLCONTROLE2", "Controle2", "Sacvar2"), dataset("TBLCAIXA", "Caixa", "Caixa"),
          dataset("TBLCAIXACONTROLE", "CaixaControle", "CaixaControle")}},
        // "Conttole" is how the about box has always labelled its settings table.
        {S::AboutBox,
         {dataset("TBLCONTROLE", "Conttole", "Sacvar"),
          dataset("TBLCONTROLE2", "Controle2", "Sacvar2")}},
        {S::ActivityDialog, {dataset("TBLATIVIDADES", "Atividades", "Atividades")}},
        {S::Enrolment, {dataset("TBLFUNCIONARIOS", "Funcionarios", "Funcionarios")}},
    };
}

QStringList declaredColumns(const QString& table) {
    const Table* declared = findTable(table);
    return declared == nullptr ? QStringList{} : declared->columnNames();
}

QString checkText(const QString& table) {
    return QStringLiteral("SELECT %1 FROM %2 WHERE 1=0")
        .arg(declaredColumns(table).join(QStringLiteral(", ")), table);
}

QString firstRowText(const Dialect& dialect, const QString& table) {
    return dialect.firstRowOnly(QStringLiteral("SELECT %1 FROM %2")
                                    .arg(declaredColumns(table).join(QStringLiteral(", ")), table));
}

// SQLite knows its row order and returns the one row; SQL Server has no such order to ask
// for, so its rows are read in storage order and the last one kept.
QString lastRowText(const Dialect& dialect, const QString& table, const QStringList& columns) {
    return QStringLiteral("SELECT %1 FROM %2%3")
        .arg(columns.join(QStringLiteral(", ")), table, dialect.lastRowOrder());
}

bool readElsewhere(const QString& table) {
    const QString lower = table.toLower();
    return lower == QLatin1String("sacvar") || lower == QLatin1String("sacvar2") ||
           lower == QLatin1String("caixa") || lower == QLatin1String("caixacontrole") ||
           lower == QLatin1String("acesso");
}

// Every table the screens open or a branch must serve, checked by its declared columns;
// the access log's first row and the last rows of the cash tables.
std::vector<CatalogueEntry> openingEntries(const Dialect& dialect) {
    QStringList checked;
    for (const OpeningScreen screen :
         {OpeningScreen::Terminal, OpeningScreen::Login, OpeningScreen::AboutBox,
          OpeningScreen::ActivityDialog, OpeningScreen::Enrolment}) {
        for (const DatasetOpening& dataset : openingOrder(screen)) {
            if (!readElsewhere(dataset.table) && !checked.contains(dataset.table)) {
                checked << dataset.table;
            }
        }
    }
    for (const QString& table : branchTables()) {
        if (!checked.contains(table)) {
            checked << table;
        }
    }
    std::vector<CatalogueEntry> entries;
    for (const QString& table : checked) {
        entries.push_back({QStringLiteral("open %1").arg(table),
                           QStringLiteral("opening a screen's tables or a branch's: the table "
                                          "has every declared column"),
                           checkText(table)});
    }
    entries.push_back({QStringLiteral("TBLACESSO"),
                       QStringLiteral("opening the terminal: the access log's first row only"),
                       firstRowText(dialect, QStringLiteral("acesso"))});
    for (const char* table : {"caixa", "Caixa", "CaixaControle"}) {
        const QString name = QLatin1String(table);
        entries.push_back({QStringLiteral("last row of %1").arg(name),
                           QStringLiteral("opening the terminal or the login: the last cash "
                                          "period"),
                           lastRowText(dialect, name, declaredColumns(name))});
    }
    entries.push_back(
        {QStringLiteral("business date"),
         QStringLiteral("the business date: DATAABERTURA of caixa's last row"),
         lastRowText(dialect, QStringLiteral("caixa"), {QStringLiteral("DATAABERTURA")})});
    entries.push_back(
        {QStringLiteral("cash control"),
         QStringLiteral("doctor: whether the last cash control is open"),
         lastRowText(dialect, QStringLiteral("CaixaControle"), cashControlColumns())});
    return entries;
}

const StatementFamily kOpenings{&openingEntries};
const Statement kDayDates{"AcessoDia dates", "day purge: the date of every row of the day",
                          "SELECT DATA FROM AcessoDia"};
const Statement kUndatedDayRows{"AcessoDia undated rows",
                                "day purge and doctor: rows of the day with no readable date",
                                "SELECT MATRICULA, DATA FROM AcessoDia"};
const Statement kPurgeDay{"AcessoDia purge", "day purge: the rows of one earlier day",
                          "DELETE FROM AcessoDia WHERE DATA = :DATA"};

// The first row in natural order with every declared column, reading no further: the
// access history is never loaded.
Result<std::optional<QSqlRecord>> firstRow(const ClubConnection& connection, const QString& table) {
    auto query = connection.execute(firstRowText(connection.dialect(), table));
    if (!query.ok()) {
        return query.error();
    }
    std::optional<QSqlRecord> first;
    if (query->next()) {
        first = query->record();
    }
    query->finish();
    return first;
}

// The business date of caixa's last row, or why there is none.
BusinessDate businessDateOf(const std::optional<QSqlRecord>& lastCaixa) {
    if (!lastCaixa) {
        return {QDate(), QStringLiteral("caixa has no cash period, so there is no business date")};
    }
    const StoredDateTime opened =
        StoredDateTime::read(lastCaixa->value(QStringLiteral("DATAABERTURA")));
    if (opened.isEmpty()) {
        return {QDate(), QStringLiteral("caixa.DATAABERTURA of the last cash period is empty, "
                                        "so there is no business date")};
    }
    if (opened.isUnreadable()) {
        return {QDate(), QStringLiteral("caixa.DATAABERTURA of the last cash period holds \"%1\", "
                                        "which is not a date, so there is no business date")
                             .arg(opened.stored())};
    }
    return {opened.date(), QString()};
}

// Opens one dataset of the order, filling what the screens read from it.
Status openDataset(const DatasetOpening& dataset, const ClubConnection& main,
                   OpeningResult& result) {
    const QString table = dataset.table.toLower();
    if (table == QLatin1String("sacvar") || table == QLatin1String("sacvar2")) {
        const QString name =
            table == QLatin1String("sacvar") ? QStringLiteral("Sacvar") : QStringLiteral("Sacvar2");
        auto row = SettingsRow::load(main, name);
        if (!row.ok()) {
            return row.error();
        }
        (name == QLatin1String("Sacvar") ? result.sacvar : result.sacvar2) = row.value();
        return Status::success();
    }
    if (table == QLatin1String("caixa") || table == QLatin1String("caixacontrole")) {
        auto last = lastRow(main, dataset.table, declaredColumns(dataset.table));
        if (!last.ok()) {
            return last.error();
        }
        if (table == QLatin1String("caixa")) {
            result.lastCaixa = last.value();
            result.businessDate = businessDateOf(last.value());
        } else {
            result.lastCaixaControle = last.value();
        }
        return Status::success();
    }
    if (table == QLatin1String("acesso")) {
        auto first = firstRow(main, dataset.table);
        if (!first.ok()) {
            return first.error();
        }
        result.firstAcesso = first.value();
        return Status::success();
    }
    return checkTable(main, dataset.table);
}

} // namespace

Status checkTable(const ClubConnection& connection, const QString& table) {
    auto query = connection.execute(checkText(table));
    return query.ok() ? Status::success() : Status(query.error());
}

const std::vector<DatasetOpening>& openingOrder(OpeningScreen screen) {
    static const auto orders = buildOrders();
    return orders.at(screen);
}

OpeningResult ABRE_TABELAS(OpeningScreen screen, const ClubConnection& main,
                           const LocalSettings& local, DayPurge purge) {
    OpeningResult result;
    const bool terminal = screen == OpeningScreen::Terminal;
    for (const DatasetOpening& dataset : openingOrder(screen)) {
        Status opened = openDataset(dataset, main, result);
        if (opened.ok() && terminal && dataset.component == QLatin1String("TBLCONTROLE2")) {
            auto portal = portalConnection(*result.sacvar2, local);
            if (portal.ok()) {
                result.portal = portal.value();
            } else {
                result.portalError = portal.error().message;
            }
        }
        if (opened.ok() && terminal && purge == DayPurge::Yes &&
            dataset.component == QLatin1String("TBLACESSODIA")) {
            auto purged = purgeAcessoDia(main, result.businessDate);
            if (purged.ok()) {
                result.acessoDiaPurged = purged->purged;
                result.acessoDiaUndated = purged->undated;
            } else {
                opened = purged.error();
            }
        }
        if (!opened.ok()) {
            result.failedLabel = dataset.label;
            result.why = opened.error().message;
            return result;
        }
        result.opened << dataset.component;
    }
    result.ok = true;
    return result;
}

void showOpeningFailure(Aviso& aviso, const OpeningResult& result) {
    aviso.AVISO(QStringLiteral("!"), QLatin1String(kOpeningFailureText), result.failedLabel);
}

Result<std::optional<QSqlRecord>> lastRow(const ClubConnection& connection, const QString& table,
                                          const QStringList& columns) {
    auto query = connection.execute(lastRowText(connection.dialect(), table, columns));
    if (!query.ok()) {
        return query.error();
    }
    std::optional<QSqlRecord> last;
    while (query->next()) {
        last = query->record();
    }
    return last;
}

const QStringList& cashControlColumns() {
    static const QStringList columns{QStringLiteral("DATA"), QStringLiteral("CONTADORPDR"),
                                     QStringLiteral("ABERTO")};
    return columns;
}

Result<BusinessDate> readBusinessDate(const ClubConnection& connection) {
    auto last = lastRow(connection, QStringLiteral("caixa"), {QStringLiteral("DATAABERTURA")});
    if (!last.ok()) {
        return last.error();
    }
    return businessDateOf(last.value());
}

Result<std::optional<ConnectionSpec>> portalConnection(const SettingsRow& sacvar2,
                                                       const LocalSettings& local) {
    if (!sacvar2.isSim(QStringLiteral("AgendamentoAulaPortal"))) {
        return std::optional<ConnectionSpec>();
    }
    auto spec = connectionSpecFromFile(local.filePath(QLatin1String(kPortalDataLink)), local);
    if (!spec.ok()) {
        return spec.error();
    }
    return std::optional<ConnectionSpec>(spec.value());
}

namespace {

// DATA of every AcessoDia row in natural order, with what it reads as.
Result<std::vector<std::pair<QVariant, StoredDateTime>>> dayRowDates(const ClubConnection& main) {
    auto query = main.execute(kDayDates.text(main.dialect()));
    if (!query.ok()) {
        return query.error();
    }
    std::vector<std::pair<QVariant, StoredDateTime>> dates;
    while (query->next()) {
        dates.emplace_back(query->value(0), StoredDateTime::read(query->value(0)));
    }
    return dates;
}

} // namespace

Result<QStringList> undatedDayRows(const ClubConnection& connection) {
    auto query = connection.execute(kUndatedDayRows.text(connection.dialect()));
    if (!query.ok()) {
        return query.error();
    }
    QStringList undated;
    while (query->next()) {
        const StoredDateTime data = StoredDateTime::read(query->value(1));
        if (!data.hasValue()) {
            undated << QStringLiteral("MATRICULA %1, DATA %2")
                           .arg(query->value(0).toString(),
                                data.isEmpty()
                                    ? QStringLiteral("empty")
                                    : QLatin1Char('"') + data.stored() + QLatin1Char('"'));
        }
    }
    return undated;
}

Result<DayPurgeResult> purgeAcessoDia(const ClubConnection& main,
                                      const BusinessDate& businessDate) {
    DayPurgeResult result;
    if (!businessDate.known()) {
        return result;
    }
    auto dates = dayRowDates(main);
    if (!dates.ok()) {
        return dates.error();
    }
    // The last row that has a date decides whether the day has changed; the rows of the
    // days before go, each day's by the value DATA holds, bound back as it was read, so that
    // every form the column may hold matches itself.
    std::optional<QDate> lastDay;
    std::vector<QVariant> earlier;
    bool undated = false;
    for (const auto& [stored, read] : dates.value()) {
        if (!read.hasValue()) {
            undated = true;
            continue;
        }
        lastDay = read.date();
        if (read.date() < businessDate.day &&
            std::find(earlier.begin(), earlier.end(), stored) == earlier.end()) {
            earlier.push_back(stored);
        }
    }
    if (undated) {
        auto rows = undatedDayRows(main);
        if (!rows.ok()) {
            return rows.error();
        }
        result.undated = rows.value();
    }
    if (!lastDay || businessDate.day <= *lastDay) {
        return result;
    }
    const Status deleted = main.inTransaction([&main, &earlier] {
        for (const QVariant& day : earlier) {
            const Status one =
                runWrite(main, kPurgeDay.text(main.dialect()), {{QStringLiteral(":DATA"), day}});
            if (!one.ok()) {
                return one;
            }
        }
        return Status::success();
    });
    if (!deleted.ok()) {
        return deleted.error();
    }
    result.purged = true;
    return result;
}

} // namespace orvalen::store
