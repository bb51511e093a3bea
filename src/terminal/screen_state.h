#pragma once

#include "terminal/colours.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <array>

namespace orvalen::terminal {

// The properties of one control that the screen's rules set.
struct Control {
    QString caption;
    QColor colour;
    bool visible = true;
    bool enabled = true;
};

struct Panel : Control {
    QColor fontColour = colours::clWhite;
    int fontSize = 0; // 0: as designed
};

struct EntryField {
    QString text;
    int maxLength = 10;
    QChar passwordChar; // null: shown in clear
    int cursor = 0;
    bool visible = true;
    bool enabled = true;

    // Backspace (8) removes the character before the cursor; any other character goes in at
    // the cursor while there is room. False when the text did not change.
    bool typeAtCursor(QChar character) {
        int at = qBound(0, cursor, static_cast<int>(text.size()));
        if (character == QChar(8)) {
            if (at == 0) {
                return false;
            }
            text.remove(--at, 1);
        } else if (text.size() < maxLength) {
            text.insert(at++, character);
        } else {
            return false;
        }
        cursor = at;
        return true;
    }
};

// Every control of the terminal screen whose look the rules change, named after it.
// The window draws exactly this.
struct ScreenState {
    QString caption = QStringLiteral("Controle de Acesso");
    bool keyPreview = true;
    QString focus = QStringLiteral("BBNOBS"); // the control holding the focus

    // Idle picture: the club logo (Image1) or the built-in background (fundo1024x768).
    QImage Image1;
    bool Image1Visible = false;
    bool fundo1024x768Visible = true;

    Control PNLFUNDO{{}, {}, false, true};

    // Photo frame: placeholder Image6 under ImageFoto.
    QImage ImageFoto;
    bool ImageFotoVisible = false;

    // Turnstile frame: exactly one of idle (Image5) and grant (Image4) is visible.
    bool Image4Visible = false;
    bool Image5Visible = true;

    Panel PNLACESSO{{{}, colours::clSilver, true, true}, colours::clWhite, 0};
    Control LBLINFORMACOES{QStringLiteral("Informações"), {}, false, true};
    Panel PNLINFORMACOES{{{}, colours::clSilver, false, true}, colours::clWhite, 36};
    Control LBLNOMEALUNO{{}, {}, false, true};
    Control LBLMODALIDADE;

    EntryField EDTMATRICULA;
    Control DBGALUNOS;
    Control PNLMATRICULA{QStringLiteral("Matrícula"), colours::clRed, false, true};
    Control PNLNOME{QStringLiteral("Nome"), colours::clGreen, false, true};
    Control BBNTECLADO{QStringLiteral("Teclado"), {}, true, true};
    Control BBNTEC12{QStringLiteral("Tec12"), {}, true, false};
    Control BBNLEITOR{QStringLiteral("Leitor"), {}, true, false};
    Control LBLTECLADO{QStringLiteral("Teclado"), {}, true, true};
    Control LBLDATA{{}, {}, false, true};
    Control LBLHORA{{}, {}, false, true};

    // Student details of the outcome panel.
    Control LBLMATRICULA{QStringLiteral("Matrícula"), {}, false, true};
    Control DBEDITMATRICULA{{}, {}, false, true};
    Control LBLMENSALIDADEPLANOS{QStringLiteral("Mensalidade"), {}, false, true};
    Control LBLVENCIMENTO{QStringLiteral("Vencimento"), {}, false, true};
    Control DBEDITDIA_VENCIMENTO{{}, {}, false, true};
    Control LBLDATAVENCIMENTO{{}, {}, false, true};
    Control LBLATIVIDADES{QStringLiteral("Atividades"), {}, false, true};
    std::array<Control, 12> LBLATIVIDADESn; // LBLATIVIDADES1 .. LBLATIVIDADES12

    // Bottom-right row, right to left, and the branch and note controls.
    Control BBNRETORNA{QStringLiteral("Sair"), {}, true, true};
    Control BBNOBS{QStringLiteral("Observação"), {}, true, true};
    Control BBNTECLADO1{QStringLiteral("Teclado"), {}, true, true};
    Control BBNCAPTURABIOMETRIA{QStringLiteral("Captura Biometria"), {}, false, true};
    Control BBNVERIFICA{QStringLiteral("Verifica digital"), {}, false, true};
    Control BBNFILIAL{QStringLiteral("Selecionar Filial"), {}, false, true};
    int BBNFILIALTag = 0;
    Control DBGFILIAL{{}, {}, false, true};
    Control PNLOBSERVACAO{{}, {}, false, true};
    EntryField EDTOBSERVACAO{{}, 30, {}, 0, true, true};
    Control BBNRETORNAOBS{QStringLiteral("Sair"), {}, true, true};
    Control PNLPERSONA{{}, {}, false, true};
    QImage ImagePersona; // the last finger the DigitalPersona reader captured

    // The hourglass cursor while a unit's database is being connected.
    bool hourglass = false;

    // The window closes when this is set (a posted close request).
    bool closeRequested = false;
};

} // namespace orvalen::terminal
