#include "terminal/rules/turnstile_choice.h"
#include "terminal/terminal_screen.h"

#include <variant>

namespace orvalen::terminal {

TurnstileSettings TerminalScreen::turnstileSettings() const {
    return {sacvar_.text(QStringLiteral("ROLETA")), sacvar_.text(QStringLiteral("TIPO_ROLETA")),
            sacvar2_.text(QStringLiteral("USB_LPT")), sacvar2_.text(QStringLiteral("ENDERECO_LPT")),
            sacvar2_.text(QStringLiteral("CatracaWireless"))};
}

bool TerminalScreen::prepareTurnstileOutput() {
    const TurnstileSettings settings = turnstileSettings();
    if (settings.roleta == QLatin1String("NADA") || settings.tipoRoleta != QLatin1String("R")) {
        return true;
    }
    if (services_.turnstileOutputs == nullptr) {
        return true;
    }
    services_.turnstileOutputs->showInformationWith([this](const QString& text) {
        showInformation(text, state_.PNLINFORMACOES.colour, state_.PNLINFORMACOES.fontSize);
        services_.pump.processEvents(); // painted while the pulse goes on
    });
    const OutputPreparation prepared = services_.turnstileOutputs->prepare(settings);
    if (!prepared.deviceProblem.isEmpty()) {
        services_.errorLog.record(prepared.deviceProblem);
    }
    if (prepared.avisoText) {
        services_.aviso.AVISO(QStringLiteral("!"), *prepared.avisoText, prepared.avisoDetail);
        notify(Place::MessageBox, store::Aviso::message(*prepared.avisoText, prepared.avisoDetail));
    }
    return !prepared.closeScreen;
}

void TerminalScreen::LIBERA_ROLETA() {
    if (services_.observer != nullptr) {
        services_.observer->releaseRequested();
    }
    // Visitors always pass, by either visitor number, as employees do.
    const QString& typed = state_.EDTMATRICULA.text;
    const bool visitor =
        typed == QLatin1String("9999999999") || typed == QLatin1String("0000999999");
    if (PBooPontoAcesso && !PBooPontoAcessoFunc && !visitor && !Verifica_Ponto_Acesso()) {
        showStatus(QStringLiteral("Sem Acesso a Atividade"), colours::clRed);
        services_.pump.processEvents();
        wait(accessTime());
        return;
    }
    services_.pump.processEvents();

    const rules::TurnstileChoice choice = rules::chooseTurnstileOutput(turnstileSettings());
    if (std::holds_alternative<rules::HoldOnly>(choice)) {
        wait(accessTime());
    } else if (const auto* target = std::get_if<TurnstileTarget>(&choice)) {
        const int pulse = accessPulse();
        const PulseReport report = services_.turnstileOutputs != nullptr
                                       ? services_.turnstileOutputs->pulse(*target, pulse)
                                       : PulseReport{};
        if (!report.deviceProblem.isEmpty()) {
            services_.errorLog.record(report.deviceProblem);
        }
        if (!report.information.isEmpty()) {
            showInformation(report.information, state_.PNLINFORMACOES.colour,
                            state_.PNLINFORMACOES.fontSize);
        }
        if (report.avisoText) {
            services_.aviso.AVISO(QStringLiteral("!"), *report.avisoText, report.avisoDetail);
            notify(Place::MessageBox, store::Aviso::message(*report.avisoText, report.avisoDetail));
            state_.closeRequested = true;
            return;
        }
    }
    services_.pump.processEvents();
}

} // namespace orvalen::terminal
