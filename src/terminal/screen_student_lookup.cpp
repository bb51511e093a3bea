#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

void TerminalScreen::ALUNO() {
    QString text = state_.EDTMATRICULA.text;
    if (!text.isEmpty() && numberModeActive() && text.size() < 10) {
        text = text.rightJustified(10, QLatin1Char('0'));
        setEntryText(text);
    }
    unit_.currentMatricula = text.left(10);

    const bool active = students_.locateExact(unit_.currentMatricula);
    if (!active) {
        unit_.biometricMode = 0;
        state_.ImageFotoVisible = false;
        const bool onFile = need(source_.people().studentOnFile(unit_.currentMatricula));
        tell("student.found", rules::Verdict::Refuses,
             {{QStringLiteral("number"), unit_.currentMatricula},
              {QStringLiteral("on_file"), onFile}});
        MOSTRA_ACESSO(onFile ? QStringLiteral("Inativo !!!") : QStringLiteral("Inexistente !!!"),
                      colours::clBlack, QString(), 36);
        LIMPA_TELA();
        return;
    }

    tell("student.found", rules::Verdict::Passes,
         {{QStringLiteral("number"), unit_.currentMatricula}});
    MOSTRA_FOTO();
    if (state_.ImageFotoVisible && state_.ImageFoto.isNull()) {
        photoDoesNotDecode(QStringLiteral("FotosAlunos"), unit_.currentMatricula);
    }
    MOSTRA_ATIVIDADES();
    if (!CONFERE_DIGITAL_ALUNO()) {
        return;
    }
    if (sacvar_.isSim(QStringLiteral("ACESSO_MATRICULA_NASC"))) {
        const rules::RecordDate born = studentDate("DATA_NASCIMENTO");
        // An empty birth date reads as the zero date, 30/12/1899: its day is "30". One that
        // is no date has no day, and no day typed matches it.
        const QString day = born.unreadable       ? QString()
                            : born.date.isValid() ? born.date.toString(QStringLiteral("dd"))
                                                  : QStringLiteral("30");
        tell("student.birth_day", rules::verdictOf(day == PSTR_DIA),
             {{QStringLiteral("typed_day"), PSTR_DIA}, {QStringLiteral("birth_day"), day}});
        if (day != PSTR_DIA) {
            MOSTRA_ACESSO(QStringLiteral("Inexistente !!!"), colours::clBlack, QString(), 36);
            LIMPA_TELA();
            return;
        }
    }
    PROCURA_RECEBIMENTOS();
    LIMPA_TELA();
}

} // namespace orvalen::terminal
