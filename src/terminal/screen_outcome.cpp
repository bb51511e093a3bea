#include "terminal/access_status.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

void TerminalScreen::notify(Place place, const QString& text) {
    if (services_.observer != nullptr) {
        services_.observer->shown(place, text);
    }
}

rules::Reasons TerminalScreen::reasons() const {
    if (services_.observer == nullptr) {
        return {};
    }
    return [observer = services_.observer](const rules::Check& check) { observer->checked(check); };
}

void TerminalScreen::tell(const char* check, rules::Verdict verdict,
                          std::vector<rules::Fact> facts) const {
    rules::tell(reasons(), check, verdict, std::move(facts));
}

void TerminalScreen::wait(int milliseconds) {
    const InputGate::Hold hold(gate_);
    services_.pump.wait(milliseconds);
}

int TerminalScreen::accessTime() const {
    return sacvar_.number(QStringLiteral("ACESSO_TEMPO"));
}
int TerminalScreen::accessPulse() const {
    return sacvar_.number(QStringLiteral("ACESSO_PULSO"));
}

void TerminalScreen::showStatus(const QString& text, const QColor& background,
                                const QColor& letters) {
    state_.PNLACESSO.caption = text;
    state_.PNLACESSO.colour = background;
    state_.PNLACESSO.fontColour = letters;
    notify(Place::StatusPanel, text);
}

void TerminalScreen::showInformation(const QString& text, const QColor& background, int fontSize) {
    state_.PNLINFORMACOES.caption = text;
    state_.PNLINFORMACOES.colour = background;
    state_.PNLINFORMACOES.fontSize = fontSize;
    if (!text.isEmpty()) {
        notify(Place::InformationPanel, text);
    }
}

void TerminalScreen::showName(const QString& text) {
    state_.LBLNOMEALUNO.caption = text;
    notify(Place::NameLabel, text);
}

void TerminalScreen::hideEntryForOutcome() {
    for (Control* control :
         {&state_.BBNTECLADO, &state_.BBNTEC12, &state_.BBNLEITOR, &state_.LBLTECLADO,
          &state_.PNLMATRICULA, &state_.PNLNOME, &state_.DBGALUNOS}) {
        control->visible = false;
    }
    state_.EDTMATRICULA.visible = false;
    state_.LBLINFORMACOES.visible = true;
    state_.PNLINFORMACOES.visible = true;
}

void TerminalScreen::MOSTRA_ACESSO(const QString& TEXTO_ACESSO, const QColor& COR,
                                   const QString& NOME_FUNC_ALUNO, int PANEL1_FONTE) {
    // The number names nobody: no face goes beside it, least of all the last person's.
    if (TEXTO_ACESSO.startsWith(QLatin1String("Inexistente"))) {
        state_.ImageFotoVisible = false;
    }
    hideEntryForOutcome();
    state_.PNLFUNDO.visible = true;
    services_.pump.processEvents();

    const bool granted = TEXTO_ACESSO == QLatin1String("Acesso Livre");
    const bool visitor = TEXTO_ACESSO == QLatin1String("Visitante");
    if (isStatusText(TEXTO_ACESSO)) {
        showInformation(QString(), colours::clSilver, state_.PNLINFORMACOES.fontSize);
        if (granted) {
            state_.Image5Visible = false;
            state_.Image4Visible = true;
        }
        showStatus(TEXTO_ACESSO, granted ? colours::clGreen : colours::clRed,
                   state_.PNLACESSO.fontColour);
        services_.pump.processEvents();
    } else {
        if (visitor) {
            state_.Image5Visible = false;
            state_.Image4Visible = true;
            showStatus(QStringLiteral("Acesso Livre"), colours::clGreen,
                       state_.PNLACESSO.fontColour);
            showName(NOME_FUNC_ALUNO);
            services_.pump.processEvents();
        }
        showInformation(TEXTO_ACESSO, COR, PANEL1_FONTE);
    }
    if (!NOME_FUNC_ALUNO.isEmpty()) {
        if (!visitor) {
            showName(NOME_FUNC_ALUNO);
        }
        state_.LBLNOMEALUNO.visible = true;
        hideEntryForOutcome();
        services_.pump.processEvents();
    }
    if (TEXTO_ACESSO.contains(QLatin1String("INEXIS"))) {
        state_.LBLMODALIDADE.caption = unit_.currentMatricula;
    }
    if (!granted && !visitor && NOME_FUNC_ALUNO.isEmpty()) {
        wait(accessTime());
    }
    if (TEXTO_ACESSO == QLatin1String("Sem acesso !!!") && !NOME_FUNC_ALUNO.isEmpty()) {
        wait(accessTime());
    }
    services_.pump.processEvents();
}

} // namespace orvalen::terminal
