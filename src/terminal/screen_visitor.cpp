#include "store/db_values.h"
#include "terminal/access_status.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

void TerminalScreen::VISITANTE() {
    const store::Dialect& dialect = database_.dialect();
    const QDateTime now = services_.clock.now();
    const QVariant data = store::dateTimeValue(dialect, QDateTime(businessDate_, QTime(0, 0)));
    const QVariant hora = store::timeOfDayValue(dialect, now.time());
    const QString filial = sacvar2_.text(QStringLiteral("FILIAL"));

    tell("visitor", rules::Verdict::Passes);
    std::vector<LogRow> rows;
    if (PBooLiberaCatraca) {
        const auto obs = visitorObs(state_.EDTOBSERVACAO.text, lastAccessMatricula_,
                                    lastAccessStatus_, lastAccessObs_);
        if (!obs.ok()) {
            logFailed(QStringLiteral("AcessoVisitantes/AcessoDia"), obs.error().message);
            return;
        }
        LogRow visit{QStringLiteral("AcessoVisitantes"), {}};
        if (!obs->isEmpty()) {
            visit.columns.emplace_back(QStringLiteral("OBS"), obs.value());
        }
        visit.columns.emplace_back(QStringLiteral("USUARIO"), unit_.operatorCode);
        visit.columns.emplace_back(QStringLiteral("DATA"), data);
        visit.columns.emplace_back(QStringLiteral("HORA"), hora);
        visit.columns.emplace_back(QStringLiteral("FILIAL"), filial);
        rows.push_back(visit);
    } else {
        PBooLiberaCatraca = true;
    }
    rows.push_back({QStringLiteral("AcessoDia"),
                    {{QStringLiteral("MATRICULA"), QStringLiteral("9999999999")},
                     {QStringLiteral("DATA"), data},
                     {QStringLiteral("HORA"), hora},
                     {QStringLiteral("FILIAL"), filial},
                     {QStringLiteral("STATUS"), QStringLiteral("V")}}});
    if (!writeLog({{}, rows}, QStringLiteral("AcessoVisitantes/AcessoDia"))) {
        return;
    }
    // A visitor has no photo: the one the list left in the frame belongs to somebody else.
    state_.ImageFotoVisible = false;
    MOSTRA_ACESSO(QStringLiteral("Visitante"), colours::clBlack,
                  QStringLiteral("Seja Bem Vindo !!!"), 36);
    LIBERA_ROLETA();
    state_.EDTOBSERVACAO.text.clear();
    LIMPA_TELA();
}

} // namespace orvalen::terminal
