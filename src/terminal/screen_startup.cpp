#include "activities/access_point_file.h"
#include "store/table_opening.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

#include <QImage>

namespace orvalen::terminal {

TerminalScreen::TerminalScreen(ScreenServices services)
    : services_(services), database_(services.database), unit_(services.unit),
      lookups_(services.database), source_(services.database), students_(source_) {}

void TerminalScreen::FormCreate(int screenWidth, int screenHeight) {
    chave = QChar(kEnter);
    screenWidth_ = screenWidth;
    screenHeight_ = screenHeight;
}

void TerminalScreen::FormShow() {
    guarded([&] {
        unit_.captureRunning = true;
        PBooLiberaCatraca = true;
        PBooUSBDesativado = false;
        unit_.photoFollow = false;
        unit_.readerOpen = true;
        PBooPontoAcessoFunc = false;

        state_.LBLNOMEALUNO.caption.clear();
        state_.LBLMODALIDADE.caption.clear();
        pSTRMATRICULAFUNCIONARIO.clear();
        unit_.employeeKindPrefix.clear();
        MPAD_KEYPRESS = false;
        chave = QChar(kEnter);

        if (!ABRE_TABELAS()) {
            state_.closeRequested = true;
            return;
        }
        PDouCodigoFilial = sacvar_.real(QStringLiteral("CLIENTE"));
        state_.PNLOBSERVACAO.visible = false;
        state_.PNLPERSONA.visible = false;
        FOTO_LOGO();
        services_.pump.processEvents();

        if (!prepareTurnstileOutput()) {
            state_.closeRequested = true;
            return;
        }
        unit_.biometricSwitch = sacvar2_.text(QStringLiteral("LEITOR_BIOMETRICO"));
        if (unit_.biometricSwitch == QLatin1String("Sim") && !prepareFingerprintReader()) {
            state_.closeRequested = true;
            return;
        }
        unit_.biometricFailure = false;
        unit_.biometricMessage.clear();

        if (turnstileKindHasEntry()) {
            if (sacvar_.is(QStringLiteral("PINPAD"), QStringLiteral("NADA"))) {
                state_.PNLMATRICULA.visible = true;
                state_.PNLNOME.visible = true;
                if (unit_.biometricSwitch == QStringLiteral("Não")) {
                    state_.LBLTECLADO.caption = QStringLiteral("Teclado");
                }
            } else {
                prepareReaderLine();
            }
        }
        searchModeColours();
        if (branchRows_ > 0) {
            state_.BBNFILIAL.visible = true;
        }
        loadAccessPointList();
        state_.focus = QStringLiteral("BBNOBS");
    });
}

bool TerminalScreen::ABRE_TABELAS() {
    store::OpeningResult opened = store::ABRE_TABELAS(
        store::OpeningScreen::Terminal, database_, services_.local,
        services_.writer.changesDatabase() ? store::DayPurge::Yes : store::DayPurge::No);
    if (opened.ok) {
        auto first = lookups_.firstAccessRow();
        if (!first.ok()) {
            opened.ok = false;
            opened.failedLabel = QStringLiteral("Acesso");
            opened.why = first.error().message;
        } else if (first->has_value()) {
            lastAccessMatricula_ = first.value()->value(QStringLiteral("MATRICULA")).toString();
            lastAccessStatus_ = first.value()->value(QStringLiteral("STATUS")).toString();
            lastAccessObs_ = first.value()->value(QStringLiteral("OBS")).toString();
        }
    }
    if (!opened.ok) {
        services_.errorLog.record(opened.failedLabel + QStringLiteral(": ") + opened.why);
        store::showOpeningFailure(services_.aviso, opened);
        return false;
    }
    if (!opened.portalError.isEmpty()) {
        // The terminal opens without the class-booking portal; whoever looks at the log
        // learns why booked classes are not found.
        services_.errorLog.record(opened.portalError);
    }
    sacvar_ = *opened.sacvar;
    sacvar2_ = *opened.sacvar2;
    takeOpenedDates(opened);
    need(lookups_.prepareIndexes());
    branchRows_ = need(lookups_.branchCount());
    students_.requery();
    return true;
}

void TerminalScreen::FOTO_LOGO() {
    const QByteArray logo = sacvar_.bytes(QStringLiteral("LOGOACADEMIA1"));
    if (sacvar_.isNull(QStringLiteral("LOGOACADEMIA1"))) {
        state_.Image1Visible = false;
        state_.fundo1024x768Visible = true;
        return;
    }
    QImage decoded;
    if (decoded.loadFromData(logo, "JPEG")) {
        state_.Image1 = decoded;
    }
    state_.fundo1024x768Visible = false;
    state_.Image1Visible = true;
}

void TerminalScreen::FormActivate() {
    if (sacvar_.isSim(QStringLiteral("ACESSO_DATA"))) {
        state_.LBLDATA.visible = true;
    }
    if (sacvar_.isSim(QStringLiteral("ACESSO_HORA"))) {
        state_.LBLHORA.visible = true;
    }
    Timer2Timer();
}

void TerminalScreen::Timer2Timer() {
    if (sacvar_.isSim(QStringLiteral("ACESSO_DATA"))) {
        state_.LBLDATA.caption = businessDate_.toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (sacvar_.isSim(QStringLiteral("ACESSO_HORA"))) {
        state_.LBLHORA.caption = services_.clock.now().toString(QStringLiteral("HH:mm"));
    }
}

void TerminalScreen::FormClose() {
    // Sair closes the screen itself and the window's close follows: the devices are released
    // once.
    if (formClosed_) {
        return;
    }
    formClosed_ = true;
    if (services_.turnstileOutputs != nullptr) {
        services_.turnstileOutputs->release();
    }
    releaseReaderLine();
    if (unit_.biometricSwitch == QLatin1String("Sim")) {
        if (sacvar2_.is(QStringLiteral("Tipo_Leitor"), QStringLiteral("1"))) {
            services_.devices.fingerprint.stopPoll();
            services_.devices.fingerprint.closeDevice();
        }
        services_.devices.fingerprint.release();
    }
    state_.closeRequested = true;
}

bool TerminalScreen::turnstileKindHasEntry() const {
    const QString kind = sacvar_.text(QStringLiteral("TIPO_ROLETA"));
    return kind == QLatin1String("R") || kind == QLatin1String("A") || kind == QLatin1String("N");
}

void TerminalScreen::searchModeColours() {
    if (sacvar_.isSim(QStringLiteral("PROCURAMATRICULANOME"))) {
        LSTRCOLORMATRICULANOME = colours::clGreen;
        state_.PNLMATRICULA.colour = colours::clGreen;
        state_.PNLNOME.colour = colours::clRed;
    } else {
        LSTRCOLORMATRICULANOME = colours::clRed;
        state_.PNLNOME.colour = colours::clGreen;
        state_.PNLMATRICULA.colour = colours::clRed;
    }
}

void TerminalScreen::loadAccessPointList() {
    // The pieces of Acesso.txt from the first slot on; a file longer than the list keeps its
    // first pieces and ignores the rest rather than writing past the list.
    const QString file = services_.local.filePath(QLatin1String(activities::kAccessPointFileName));
    auto codes = activities::readAccessPointCodes(file, activities::kAccessPointSlots);
    if (!codes.ok()) {
        // A filter that cannot be read is no reason to admit everyone: the check stays on
        // with no code, so no activity matches until the file is mended.
        services_.errorLog.record(codes.error().message);
        unit_.accessPointCodes.clear();
        PBooPontoAcesso = true;
        return;
    }
    unit_.accessPointCodes = codes.value();
    PBooPontoAcesso = !unit_.accessPointCodes.isEmpty();
}

} // namespace orvalen::terminal
