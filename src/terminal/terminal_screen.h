#pragma once

#include "biometrics/digital_persona.h"
#include "store/aviso.h"
#include "store/branches.h"
#include "store/class_lookups.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "store/local_settings.h"
#include "store/people_lookups.h"
#include "store/settings.h"
#include "store/table_opening.h"
#include "terminal/input_gate.h"
#include "terminal/log_writer.h"
#include "terminal/record_dates.h"
#include "terminal/rules/class_timetable.h"
#include "terminal/screen_observer.h"
#include "terminal/screen_state.h"
#include "terminal/services/capture_screen.h"
#include "terminal/services/clock.h"
#include "terminal/services/devices.h"
#include "terminal/services/pump.h"
#include "terminal/services/turnstile_outputs.h"
#include "terminal/student_list.h"
#include "terminal/student_source.h"
#include "terminal/terminal_unit.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlRecord>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace orvalen::terminal {

// What the terminal screen is given: the club database, the services it talks to the
// world through, and the values it shares with the rest of the program.
struct ScreenServices {
    store::ClubConnection& database;
    Clock& clock;
    Pump& pump;
    store::Aviso& aviso;
    store::ErrorLog& errorLog;
    LogWriter& writer;
    Devices devices;
    TerminalUnit& unit;
    store::LocalSettings local; // the data-link folder and what Linux needs
    ScreenObserver* observer = nullptr;
    // The fingerprint capture screen; without one a typed number that must be confirmed by
    // a finger is refused.
    CaptureScreen* captureScreen = nullptr;
    // The turnstile outputs; without them the devices' turnstile gives the pulse.
    TurnstileOutputs* turnstileOutputs = nullptr;
    // Without one a failed statement ends the identification as it always did.
    ConnectionSwitch* connectionSwitch = nullptr;
};

// Characters the handlers tell apart; other keys arrive as Qt key codes (Qt::Key_F2 ...).
enum Key : int {
    kBackspace = 8,
    kEnter = 13,
    kEscape = 27,
    kDisabledKey = 12 // what a key in the disabled entry field becomes
};

// The terminal screen TFRMSITUACAODOALUNO: its state, its fields and every handler and
// operation under its own name. The window draws state() and forwards input here.
class TerminalScreen {
public:
    explicit TerminalScreen(ScreenServices services);

    ScreenState& state() { return state_; }
    const ScreenState& state() const { return state_; }
    StudentList& students() { return students_; }
    TerminalUnit& unit() { return unit_; }
    const store::SettingsRow& sacvar() const { return sacvar_; }
    const store::SettingsRow& sacvar2() const { return sacvar2_; }
    QDate businessDate() const { return businessDate_; }
    // The support tools explain a decision on a chosen day: from now on the business date is
    // that day instead of the last caixa row. Called before FormShow.
    void fixBusinessDate(const QDate& date) { fixedBusinessDate_ = date; }

    // ---- Life of the screen ------------------------------------------------------------
    void FormCreate(int screenWidth, int screenHeight);
    void FormShow();
    void FormActivate();
    void FormClose();
    void Timer2Timer();
    bool ABRE_TABELAS();
    void FOTO_LOGO();

    // ---- Input as the window delivers it ------------------------------------------------
    // One key: code (a Key or a Qt key code) and the character it types, if any.
    void keyPressed(int key, QChar character, bool shiftOrCtrl = false);
    // Typing into the entry field through its key filter: the character is inserted
    // unless dropped; Enter submits.
    void typeIntoEntry(QChar character);
    void externalMessage(int parameter); // window message 0x400
    // Input from outside the keyboard (the release message, the reader line, the fingerprint
    // reader) goes through the gate: it runs from the event loop, and while a person is
    // being decided or the screen is held it waits, and runs afterwards in arrival order.
    void deliver(std::function<void()> event);
    // Where every input of the window and the devices comes in (see InputGate).
    InputGate& gate() { return gate_; }

    // ---- Handlers ---------------------------------------------------------------------
    void FormKeyDown(int& key, bool shiftOrCtrl = false);
    void FormKeyPress(QChar& key);
    void EDTMATRICULAKeyPress(QChar& key);
    void EDTMATRICULAKeyDown(int& key);
    void EDTMATRICULAChange();
    void DBGALUNOSKeyDown(int& key, bool ctrl = false);
    void DBGALUNOSKeyPress(QChar& key);
    void DBGALUNOSDblClick();
    void DSALUNOSDataChange();
    void PNLMATRICULAClick();
    void PNLNOMEClick();
    void BBNTECLADOClick();
    void BBNLEITORClick();
    void BBNTEC12Click();
    void BBNTECLADO1Click();
    void BBNCAPTURABIOMETRIAClick();
    void BBNRETORNAClick();
    // The reader line's OnRxChar: Tec12 keys or a card frame into the entry field and on to
    // the hub. Count is the number of bytes waiting.
    void Comm1RxChar(int Count);
    // The list cursor moved to a row (arrow keys or a click in the list).
    void moveStudentCursor(int position);
    // A click on the list or the entry field gives it the focus.
    void DBGALUNOSClick(int position);
    void EDTMATRICULAClick();

    // ---- Branch choice and observation note ------------------------------------------
    void BBNFILIALClick();
    void DBGFILIALClick(int position); // the unit list's cursor moved to a row
    void DBGFILIALDblClick();
    void FilialMaster(); // back to the own unit
    void BBNOBSClick();
    void EDTOBSERVACAOKeyPress(QChar& key);
    void BBNRETORNAOBSClick();
    // The units of Filial the list shows (read when BBNFILIAL is clicked) and its cursor.
    const std::vector<store::BranchRow>& branches() const { return branches_; }
    int branchCursor() const { return branchCursor_; }
    const StudentSource& studentSource() const { return source_; }

    // ---- Operations -------------------------------------------------------------------
    void ALUNO();
    void PROCURA_RECEBIMENTOS(); // the student decision
    void FUNCIONARIO();          // the employee decision
    void VISITANTE();
    void MOSTRA_ACESSO(const QString& TEXTO_ACESSO, const QColor& COR,
                       const QString& NOME_FUNC_ALUNO, int PANEL1_FONTE);
    void LIMPA_TELA();
    void FOTO_ALUNO();
    void MOSTRA_FOTO();
    void FOTO_FUNCIONARIO();
    void LIBERA_ROLETA();
    // A fingerprint message shown for two seconds.
    void MOSTRA_MSGBIOMATRIA(const QString& TEXTO_ACESSO, const QColor& COR, int PANEL1_FONTE);
    // Switches the Tec12 USB keypad: 0 on (the entry cleared and the reader's hold released),
    // any other value off. The reader line must be closed meanwhile.
    void Ativa_Destasiva_Tec12USB(int Ativa_Destasiva);

    // ---- Fingerprint identification ----------------------------------------------------
    // One identification by finger: the number found is submitted to the entry, or the
    // reason it was not is shown.
    void BBNVERIFICAClick();
    // A finger the DigitalPersona capture delivered (through deliver()).
    void OnComplete(const QString& ReaderSerNum, const biometrics::dpfp::DPFPSample& pSample);
    // The NBioBSP poll, every second while TimerSFinger runs (through deliver()).
    void TimerSFingerTimer();

    // ---- Student and employee rules -------------------------------------------------------
    bool MOSTRA_SITUACAO();
    void MOSTRA_VENCIMENTO(); // the due display
    bool TURMA_SEMANA();
    // The class window of a Turma row and of a booked class, and a class that runs now.
    bool ACESSO_HORA(const rules::ClassHours& turma) const;
    bool ACESSO_HORA_AGENDADO(const rules::ClassHours& bookedClass) const;
    bool HORA_TURMA(const rules::TimetableClass& turma) const;
    bool TOLERENCIAENTRADA();
    bool Verifica_Atividade_Agendada();
    bool Verifica_Ponto_Acesso();
    void MOSTRA_ATIVIDADES();
    bool TRANCADO_INATIVO();
    void MEDICA();
    void FUNCIONAL();
    bool BLOQUEA_ALUNO_AVALIACAO();
    void MENSAGEM();
    void ANIVERSARIANTE();
    void MENSAGEM_PENDENCIA();
    // ALUNO's fingerprint match of a typed number; false: refused, the screen was reset.
    bool CONFERE_DIGITAL_ALUNO();
    bool medicalBlock = false;    // the medical-assessment block flag
    bool functionalBlock = false; // the functional-assessment block flag

    // ---- Helpers the decisions use ------------------------------------------------------
    ScreenServices& services() { return services_; }
    // Let pending window events run; hold the screen for a while.
    void processEvents() { services_.pump.processEvents(); }
    void wait(int milliseconds);
    // Status panel / information panel / name label texts; the observer hears of each.
    void showStatus(const QString& text, const QColor& background,
                    const QColor& letters = colours::clWhite);
    void showInformation(const QString& text, const QColor& background, int fontSize);
    void showName(const QString& text);
    // Hides the entry controls and shows the information panel (an outcome is on screen).
    void hideEntryForOutcome();
    // Sacvar.ACESSO_TEMPO / ACESSO_PULSO as milliseconds (a malformed value throws).
    int accessTime() const;
    int accessPulse() const;
    // Re-reads the last caixa row: refreshes the business date.
    void refreshBusinessDate();
    void setBusinessDate(const store::BusinessDate& date);
    // The business date the opening read, and the day rows it left for their DATA.
    void takeOpenedDates(const store::OpeningResult& opened);
    // A date of the current student's row, an unreadable one logged.
    rules::RecordDate studentDate(const char* column);
    // Student log rows (Acesso, AcessoDia) for an outcome.
    LogRow studentDayRow(const QString& outcome);
    LogRow studentAccessRow(const QString& outcome, bool useObservation = true);
    // One outcome's rows and changes in one transaction: true when written, false when a
    // condition of the write no longer held (nothing written), nothing when the write failed
    // (the message box was shown and the screen asked to close).
    std::optional<bool> writeStudentRows(const LogWrite& change);
    bool writeEmployeeRow();
    std::optional<bool> writeGuarded(const LogWrite& change, const QString& failureDetail = {});
    // A write without conditions; false when it failed.
    bool writeLog(const LogWrite& change, const QString& failureDetail = {});
    // A failed write: the reason to the exception log, "Gravando na tabela !" with the
    // table's name, and the screen asks to close. Always false.
    bool logFailed(const QString& detail, const QString& why);
    const store::PeopleLookups& lookups() const { return lookups_; }
    bool numberModeActive() const { return state_.PNLMATRICULA.colour == colours::clGreen; }
    void setDefaultMode();

    // ---- Screen fields -----------------------------------------------------------------
    QChar chave = QChar(kEnter);
    bool MPAD_KEYPRESS = false;
    bool PBooLiberaCatraca = true;
    bool PBooUSBDesativado = false;
    bool PBooPontoAcesso = false;
    bool PBooPontoAcessoFunc = false;
    double PDouCodigoFilial = 0;
    QColor LSTRCOLORMATRICULANOME = colours::clRed;
    QString pSTRMATRICULAFUNCIONARIO;
    QString PSTR_DIA;
    bool PBOO_VALIDADE_BOLSA = false;
    bool PBOO_TRANCAMENTO = false;
    bool PBOO_REPASSE = false;
    bool keyboardTakeover = false; // BBNTECLADO1 in force
    bool captureRequest = false;   // BBNCAPTURABIOMETRIA in force

private:
    // Runs one identification step; an error ends it in the exception log and the screen
    // is reset, so the entry field never stays disabled.
    void guarded(const std::function<void()>& step);
    // The step once more, on the copy the connection was just switched to; false when
    // there is no switch, no copy, or the step failed there too.
    bool decidedFromCopy(const std::function<void()>& step, const QString& why);
    void handleExternalMessage(int parameter);
    void dispatchEntry();
    void prepareEnter();
    void resolveName();
    void refuseEntry(const QString& outcome = QStringLiteral("Inexistente !!!"));
    bool filterKey(QChar& key, bool numberMode);
    void pickStudentRow();
    void feedVisitorCode(const QString& code, bool setPadFlag);
    void modeButton(const QString& mode, const QString& other, const QString& message);
    void disableOperatorButtons();
    // The main panel opened for typing: entry field empty, mode buttons shown.
    void showEntryPanel();
    // The common start of the operator's keyboard and capture buttons: the mode named in the
    // caption is put in force and the operator's buttons wait until it ends.
    void enterOperatorMode(const QString& captionMode, bool& modeFlag);
    void setEntryText(const QString& text);
    // Shows the photo row, or the placeholder when there is none. False when the photo is
    // there but does not decode.
    bool showPhoto(const store::PhotoRow& photo);
    void photoDoesNotDecode(const QString& table, const QString& matricula);
    void searchModeColours();
    bool turnstileKindHasEntry() const;
    void notify(Place place, const QString& text);
    // Where the rules tell their checks: the observer when there is one, else nowhere.
    rules::Reasons reasons() const;
    // A check the screen itself makes between the rules (holds, fee, limits).
    void tell(const char* check, rules::Verdict verdict, std::vector<rules::Fact> facts = {}) const;
    void loadAccessPointList();
    // The turnstile output made ready at start-up; false: the screen must close.
    bool prepareTurnstileOutput();
    // The fingerprint SDK made ready at start-up; false: the screen must close.
    bool prepareFingerprintReader();
    void holdEntryForFinger();
    void verifyByFinger();
    void submitEntry();
    TurnstileSettings turnstileSettings() const;
    void typeIntoObservation(QChar character);
    void closeObservation();
    void branchChoiceFailed(const QString& detail, const QString& why);

    // The reader line and the Tec12 keypad.
    bool fingerprintOnlyMode() const;
    void keypadTrigger();
    void keypadEntry(int count);
    bool keypadKeyInEntry(char byte); // false: the key ends the handling of the event
    void cardReaderStep();
    void changeEntryText(const QString& text);
    // Enter on the keypad: a USB keypad is switched off, with the line closed and held.
    void switchKeypadOffForEntry();
    void prepareReaderLine();
    void rearmReaderLine();
    void releaseReaderLine();

    ScreenServices services_;
    store::ClubConnection& database_;
    TerminalUnit& unit_;
    store::PeopleLookups lookups_;
    StudentSource source_;
    StudentList students_;
    ScreenState state_;
    store::SettingsRow sacvar_;
    store::SettingsRow sacvar2_;
    QDate businessDate_;
    std::optional<QDate> fixedBusinessDate_;
    QString businessDateProblem_; // why there is no business date; empty when there is one
    RecordDates recordDates_{services_.errorLog};
    int branchRows_ = 0;
    std::vector<store::BranchRow> branches_;
    int branchCursor_ = 0;
    int screenWidth_ = 1024;
    int screenHeight_ = 768;
    QByteArray studentPhoto_;
    // The last row of the screen's Acesso dataset: MATRICULA, STATUS, OBS.
    QString lastAccessMatricula_;
    QString lastAccessStatus_;
    QString lastAccessObs_;
    bool running_ = false;    // an identification is being decided
    bool formClosed_ = false; // the devices and datasets are released
    InputGate gate_{services_.pump};

    // Student and employee rules.
    void fingerprintReset();
    bool showCaptureScreen();
    bool refuseByFingerprint();
    std::vector<store::BookingRow> todaysBookings();
    void showPaymentPanel(bool& freeAccess);
    bool holdStudent(const QString& outcome, int milliseconds);
    bool grantStudent(bool gympass, QString& outcome, std::vector<LogStatement>& usedUp,
                      std::optional<RowLimit>& dailyLimit);
    // The daily limit reached: "Excedeu Acesso !!!" in red, and the pause. Always false.
    bool refuseOverLimit(QString& outcome);
    // No partner-pass release for today: "Sob Consulta !!!" in red, and the pause. Always false.
    bool refuseWithoutRelease(QString& outcome);
    bool writeStudentOutcome(QString& outcome, bool& release,
                             const std::vector<LogStatement>& usedUp,
                             const std::optional<RowLimit>& dailyLimit);
    std::unique_ptr<store::ClubConnection> portalDatabase_; // opened when first needed
};

} // namespace orvalen::terminal
