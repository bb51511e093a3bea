#include "store/db_values.h"
#include "store/payment_lookups.h"
#include "terminal/access_status.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

namespace {

using Columns = std::vector<std::pair<QString, QVariant>>;

} // namespace

bool TerminalScreen::logFailed(const QString& detail) {
    services_.aviso.AVISO(QStringLiteral("!"), QStringLiteral("Gravando na tabela !"), detail);
    state_.closeRequested = true;
    return false;
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
    const QSqlRecord& student = students_.record();
    LogRow row{QStringLiteral("AcessoDia"),
               {{QStringLiteral("MATRICULA"), unit_.currentMatricula}}};
    for (auto& column : stamp(database_.dialect(), businessDate_, services_.clock.now(),
                              sacvar2_.text(QStringLiteral("FILIAL")))) {
        row.columns.push_back(column);
    }
    row.columns.emplace_back(QStringLiteral("STATUS"), accessStatus(outcome));
    row.columns.emplace_back(QStringLiteral("OBS"), cutObs(outcome));
    row.columns.emplace_back(QStringLiteral("NOME"),
                             student.value(QStringLiteral("NOME")).toString());
    row.columns.emplace_back(QStringLiteral("CODIGO_FILIAL"), PDouCodigoFilial);
    row.columns.emplace_back(QStringLiteral("DIA_VENCIMENTO"),
                             student.value(QStringLiteral("DIA_VENCIMENTO")));
    row.columns.emplace_back(QStringLiteral("FOTO"),
                             studentPhoto_.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray))
                                                     : QVariant(studentPhoto_));
    return row;
}

void TerminalScreen::tellRowWritten(const LogRow& row) {
    if (services_.observer != nullptr) {
        services_.observer->rowWritten(row);
    }
}

bool TerminalScreen::writeStudentDayRow(const QString& outcome) {
    const LogRow row = studentDayRow(outcome);
    if (!services_.writer.write({row}).ok()) {
        return logFailed(QStringLiteral("AcessoDia"));
    }
    tellRowWritten(row);
    return true;
}

std::optional<bool> TerminalScreen::writeGrantWithinLimit(const QString& outcome, int limit) {
    const LogRow row = studentDayRow(outcome);
    const store::Result<bool> written = services_.writer.writeBelowLimit(
        row, store::PaymentLookups::grantedCountForInsert(database_.dialect()),
        {{QStringLiteral(":LMATRICULA"), unit_.currentMatricula}}, limit);
    if (!written.ok()) {
        logFailed(QStringLiteral("AcessoDia"));
        return std::nullopt;
    }
    if (written.value()) {
        tellRowWritten(row);
    }
    return written.value();
}

bool TerminalScreen::writeStudentAccessRow(const QString& outcome, bool useObservation) {
    const QSqlRecord& student = students_.record();
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
        row.columns.emplace_back(QStringLiteral("NOME"),
                                 student.value(QStringLiteral("NOME")).toString());
    }
    row.columns.emplace_back(QStringLiteral("CODIGO_FILIAL"), PDouCodigoFilial);
    row.columns.emplace_back(QStringLiteral("STATUS"), status);
    if (!services_.writer.write({row}).ok()) {
        return logFailed(QStringLiteral("Acesso"));
    }
    lastAccessMatricula_ = unit_.currentMatricula;
    lastAccessStatus_ = status;
    lastAccessObs_ = obs;
    tellRowWritten(row);
    return true;
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
    if (!services_.writer.write({row}).ok()) {
        return logFailed(QStringLiteral("AcessoFuncionarios"));
    }
    tellRowWritten(row);
    state_.EDTOBSERVACAO.text.clear();
    return true;
}

} // namespace orvalen::terminal
