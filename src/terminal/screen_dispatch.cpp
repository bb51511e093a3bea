#include "terminal/entry_classification.h"
#include "terminal/terminal_screen.h"

#include <Qt>

namespace orvalen::terminal {

void TerminalScreen::EDTMATRICULAChange() {
    guarded([&] {
        const QString text = state_.EDTMATRICULA.text;
        if (text.isEmpty()) {
            state_.ImageFotoVisible = false;
            students_.first();
            DSALUNOSDataChange();
            return;
        }
        const bool requeryOnFirstKey =
            text.size() == 1 && unit_.biometricSwitch == QLatin1String("Sim");
        if (numberModeActive()) {
            if (text.size() >= 10) {
                return;
            }
            const auto number = readWholeNumber(text);
            if (!number) {
                return; // not a number yet (a blank typed): the text stays and typing goes on
            }
            if (requeryOnFirstKey && state_.BBNFILIALTag != 1) {
                students_.requery();
            }
            students_.setOrder(store::StudentOrder::Matricula);
            if (students_.locatePrefix(tenDigits(*number))) {
                DSALUNOSDataChange();
            }
            return;
        }
        if (requeryOnFirstKey) {
            students_.requery();
        }
        students_.setOrder(store::StudentOrder::Nome);
        if (students_.locatePrefix(text)) {
            DSALUNOSDataChange();
        }
        unit_.currentMatricula = students_.currentMatricula();
    });
}

void TerminalScreen::DSALUNOSDataChange() {
    if (unit_.photoFollow) {
        MOSTRA_FOTO();
    }
}

void TerminalScreen::moveStudentCursor(int position) {
    guarded([&] {
        if (position < 0 || position >= students_.count()) {
            return;
        }
        students_.moveTo(position);
        unit_.currentMatricula = students_.currentMatricula();
        DSALUNOSDataChange();
    });
}

void TerminalScreen::DBGALUNOSClick(int position) {
    state_.focus = QStringLiteral("DBGALUNOS");
    moveStudentCursor(position);
}

void TerminalScreen::EDTMATRICULAClick() {
    if (state_.EDTMATRICULA.enabled && state_.EDTMATRICULA.visible) {
        state_.focus = QStringLiteral("EDTMATRICULA");
    }
}

void TerminalScreen::DBGALUNOSKeyDown(int& key, bool ctrl) {
    Q_UNUSED(ctrl);
    // The list never adds or removes rows.
    if (key == Qt::Key_Insert || key == Qt::Key_Delete) {
        key = 0;
    }
    unit_.currentMatricula = students_.currentMatricula();
}

void TerminalScreen::DBGALUNOSKeyPress(QChar& key) {
    const bool accepted = key == QChar(kBackspace) || key == QChar(kEnter) ||
                          (key >= QLatin1Char('0') && key <= QLatin1Char('9'));
    if (!accepted) {
        key = QChar();
        return;
    }
    if (key == QChar(kEnter)) {
        pickStudentRow();
    }
}

void TerminalScreen::DBGALUNOSDblClick() {
    if (state_.LBLTECLADO.caption == QLatin1String("Tec12") && !MPAD_KEYPRESS &&
        !sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
        return;
    }
    unit_.photoFollow = false;
    pickStudentRow();
}

void TerminalScreen::pickStudentRow() {
    if (!students_.hasCurrent()) {
        return;
    }
    if (!keyboardTakeover) {
        const QString matricula = students_.currentMatricula();
        guarded([&] {
            setEntryText(matricula);
            students_.locateExact(matricula);
        });
        QChar enter = chave;
        EDTMATRICULAKeyPress(enter);
        return;
    }
    // During the keyboard takeover the operator's pick is evaluated directly.
    guarded([&] {
        EntryField& field = state_.EDTMATRICULA;
        field.enabled = true;
        field.maxLength = numberModeActive() ? 10 : 35;
        const QString matricula = students_.currentMatricula();
        setEntryText(matricula + QStringLiteral(" - ") + students_.currentNome());
        unit_.currentMatricula = field.text.left(10);
        students_.locateExact(unit_.currentMatricula);
        FOTO_ALUNO();
        PROCURA_RECEBIMENTOS();
        LIMPA_TELA();
    });
}

void TerminalScreen::PNLMATRICULAClick() {
    guarded([&] {
        if (sacvar_.isNao(QStringLiteral("MATRICULA_ACESSO"))) {
            state_.EDTMATRICULA.passwordChar = QLatin1Char('*');
        }
        state_.PNLMATRICULA.colour = colours::clGreen;
        state_.PNLNOME.colour = colours::clRed;
        state_.EDTMATRICULA.maxLength = 10;
        state_.EDTMATRICULA.enabled = true;
        state_.focus = QStringLiteral("EDTMATRICULA");
        students_.setOrder(store::StudentOrder::Matricula);
        students_.first();
        DSALUNOSDataChange();
        state_.EDTMATRICULA.cursor = qMin(1, static_cast<int>(state_.EDTMATRICULA.text.size()));
        if (state_.DBGALUNOS.visible && state_.EDTMATRICULA.text.size() > 2) {
            setEntryText(QString());
        }
    });
}

void TerminalScreen::PNLNOMEClick() {
    guarded([&] {
        state_.PNLMATRICULA.colour = colours::clRed;
        state_.PNLNOME.colour = colours::clGreen;
        state_.EDTMATRICULA.maxLength = 35;
        state_.EDTMATRICULA.enabled = true;
        state_.focus = QStringLiteral("EDTMATRICULA");
        setEntryText(QString());
        students_.setOrder(store::StudentOrder::Nome);
        students_.first();
        DSALUNOSDataChange();
    });
}

} // namespace orvalen::terminal
