#include "store/db_values.h"
#include "store/schema.h"
#include "terminal/access_status.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {

using Columns = std::vector<std::pair<QString, QVariant>>;

// The student's name as the log table's NOME holds it: a longer one from the record would
// fail on SQL Server and be stored whole, megabytes a row, by SQLite.
QString loggedName(const QString& table, const QSqlRecord& student) {
    const QString name = student.value(QStringLiteral("NOME")).toString();
    const store::Table* log = store::findTable(table);
    const store::Column* column = log != nullptr ? log->column(QStringLiteral("NOME")) : nullptr;
    return column != nullptr ? name.left(column->size) : name;
}

} // namespace

bool TerminalScreen::logFailed(const QString& detail, const QString& why) {
    // The box names only the table; the reason goes to the exception log for support.
    services_.errorLog.record(QStringLiteral("%1: %2").arg(detail, why));
    services_.aviso.AVISO(QStringLiteral("!"), QStringLiteral("Gravando na tabela !"), detail);
    state_.closeRequested = true;
    return false;
}

std::optional<bool> TerminalScreen::writeGuarded(const LogWrite& change,
                                                 const QString& failureDetail) {
    const LogWriteResult result = services_.writer.write(change);
    if (result.failure) {
        logFailed(failureDetail.isEmpty() ? result.failure->tableName : failureDetail,
                  result.failure->why);
        return std::nullopt;
    }
    if (!result.conditionHeld) {
        return false;
    }
    if (services_.observer != nullptr) {
        for (const LogRow& row : change.rows) {
            services_.observer->rowWritten(row);
        }
    }
    return true;
}

bool TerminalScreen::writeLog(const LogWrite& change, const QString& failureDetail) {
    return writeGuarded(change, failureDetail).value_or(false);
}

// DATA, HORA and FILIAL as every log row carries them.
static Columns stamp(const store::Dialect& dialect, const QDate& businessDate, const QDateTime& now,
                     const QString& filial) {
    return {{QStringLiteral("DATA"),
             store::dateTimeValue(dialect, QDateTime(businessDate, QTime(0, 0)))},
            {QStringLiteral("HORA"), store::timeOfDayValue(dialect, now.time())},
            {QStringLiteral("FILIAL"), filial}};
}

LogRow TerminalScreen::studentDayRow(const QString& outcome) {
    const QSqlRecord student = students_.record();
    LogRow row{QStringLiteral("AcessoDia"),
               {{QStringLiteral("MATRICULA"), unit_.currentMatricula}}};
    for (auto& column : stamp(database_.dialect(), businessDate_, services_.clock.now(),
                              sacvar2_.text(QStringLiteral("FILIAL")))) {
        row.columns.push_back(column);
    }
    row.columns.emplace_back(QStringLiteral("STATUS"), accessStatus(outcome));
    row.columns.emplace_back(QStringLiteral("OBS"), cutObs(outcome));
    row.columns.emplace_back(QStringLiteral("NOME"), loggedName(row.table, student));
    row.columns.emplace_back(QStringLiteral("CODIGO_FILIAL"), PDouCodigoFilial);
    row.columns.emplace_back(QStringLiteral("DIA_VENCIMENTO"),
                             student.value(QStringLiteral("DIA_VENCIMENTO")));
    row.columns.emplace_back(QStringLiteral("FOTO"),
                             studentPhoto_.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray))
                                                     : QVariant(studentPhoto_));
    return row;
}

LogRow TerminalScreen::studentAccessRow(const QString& outcome, bool useObservation) {
    const QSqlRecord student = students_.record();
    const QString observation = state_.EDTOBSERVACAO.text;
    const QString obs = cutObs(useObservation && !observation.isEmpty() ? observation : outcome);
    const QString status = accessStatus(outcome);
    LogRow row{
        QStringLiteral("Acesso"),
        {{QStringLiteral("OBS"), obs}, {QStringLiteral("MATRICULA"), unit_.currentMatricula}}};
    for (auto& column : stamp(database_.dialect(), businessDate_, services_.clock.now(),
                              sacvar2_.text(QStringLiteral("FILIAL")))) {
        row.columns.push_back(column);
    }
    // The name goes with the row only when the terminal serves another branch.
    if (PDouCodigoFilial != sacvar_.real(QStringLiteral("CLIENTE"))) {
        row.columns.emplace_back(QStringLiteral("NOME"), loggedName(row.table, student));
    }
    row.columns.emplace_back(QStringLiteral("CODIGO_FILIAL"), PDouCodigoFilial);
    row.columns.emplace_back(QStringLiteral("STATUS"), status);
    return row;
}

std::optional<bool> TerminalScreen::writeStudentRows(const LogWrite& change) {
    const std::optional<bool> written = writeGuarded(change);
    if (written.value_or(false)) {
        for (const LogRow& row : change.rows) {
            if (row.table == QLatin1String("Acesso")) {
                lastAccessMatricula_ = row.value(QStringLiteral("MATRICULA")).toString();
                lastAccessStatus_ = row.value(QStringLiteral("STATUS")).toString();
                lastAccessObs_ = row.value(QStringLiteral("OBS")).toString();
            }
        }
    }
    return written;
}

bool TerminalScreen::writeEmployeeRow() {
    LogRow row{QStringLiteral("AcessoFuncionarios"), {}};
    if (!state_.EDTOBSERVACAO.text.isEmpty()) {
        row.columns.emplace_back(QStringLiteral("OBS"), cutObs(state_.EDTOBSERVACAO.text));
    }
    row.columns.emplace_back(QStringLiteral("MATRICULA"), unit_.currentMatricula);
    for (auto& column : stamp(database_.dialect(), businessDate_, services_.clock.now(),
                              sacvar2_.text(QStringLiteral("FILIAL")))) {
        row.columns.push_back(column);
    }
    if (!writeLog({{}, {row}})) {
        return false;
    }
    state_.EDTOBSERVACAO.text.clear();
    return true;
}

} // namespace orvalen::terminal
