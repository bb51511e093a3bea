#pragma once

#include "load/ledger.h"
#include "store/aviso.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "store/local_settings.h"
#include "terminal/log_writer.h"
#include "terminal/screen_observer.h"
#include "terminal/services/clock.h"
#include "terminal/services/devices.h"
#include "terminal/services/pump.h"
#include "terminal/services/turnstile_outputs.h"
#include "terminal/terminal_screen.h"

#include <QDateTime>
#include <QIODevice>
#include <QStringList>
#include <memory>
#include <vector>

namespace orvalen::load {

// What a run of identifications left behind.
struct LoadTally {
    long identifications = 0;
    long rows = 0;
    long releases = 0;
    // Grants shown, then turned into "Excedeu Acesso !!!" because another terminal took the
    // last place of the day between the count and the insert.
    long lastPlacesLost = 0;
    QStringList messages;  // message boxes shown, "text / detail"
    QStringList errors;    // exception-log lines
    QStringList anomalies; // a pulse without its rows, a grant row without its pair ...
};

// One terminal screen on its own connection, run headless as fast as the database allows:
// waits move its clock on instead of sleeping, message boxes are answered OK, pulses are
// counted as releases. Every row written goes to the ledger as soon as it is committed, and every
// identification is checked on the spot: a released turnstile has its rows, a written grant was
// released.
class LoadTerminal : public terminal::Clock,
                     public terminal::Pump,
                     public store::Aviso,
                     public store::ErrorLog,
                     public terminal::ScreenObserver,
                     public terminal::TurnstileOutputs {
public:
    LoadTerminal(const store::ConnectionSpec& spec, const store::LocalSettings& local,
                 const QString& connectionName, QDateTime start);
    ~LoadTerminal() override;

    // Opens the connection and the screen; the error when either fails.
    store::Status open();
    // Types the text and Enter at the idle screen. False once the screen asked to close
    // (a failed write, a table that did not open).
    bool identify(const QString& text);

    const LoadTally& tally() const { return tally_; }
    // Where each committed row's ledger line is written, at once and unbuffered: a run killed
    // at any moment leaves a ledger that names every row it committed. None: no ledger.
    void setLedger(QIODevice* ledger) { ledger_ = ledger; }

    QDateTime now() const override { return now_; }
    void processEvents() override {}
    void wait(int milliseconds) override { now_ = now_.addMSecs(milliseconds); }
    int AVISO(const QString& kind, const QString& text, const QString& detail = {}) override;
    void record(const QString& message) override { tally_.errors << message; }
    void shown(terminal::Place place, const QString& text) override;
    void rowWritten(const terminal::LogRow& row) override;
    void releaseRequested() override;
    terminal::PulseReport pulse(const terminal::TurnstileTarget&, int) override;

private:
    void checkIdentification(const QString& text);

    store::ClubConnection connection_;
    store::LocalSettings local_;
    QDateTime now_;
    terminal::DatabaseLogWriter writer_{connection_};
    terminal::NoReaderLine readerLine_;
    terminal::NoFingerprintReader fingerprint_;
    terminal::TerminalUnit unit_;
    std::unique_ptr<terminal::TerminalScreen> screen_;
    LoadTally tally_;
    std::vector<RowKey> current_; // rows of the identification under way
    int currentPulses_ = 0;
    QStringList currentStatus_; // the access panel's texts of the identification under way
    QIODevice* ledger_ = nullptr;
};

} // namespace orvalen::load
