#pragma once

#include "support/screen_services.h"
#include "support/test_database.h"
#include "terminal/terminal_screen.h"

#include <QDateTime>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace orvalen::test {

// What the person at the turnstile saw and got.
class RecordingObserver : public terminal::ScreenObserver {
public:
    QStringList statusTexts;      // the access panel
    QStringList informationTexts; // the information panel
    std::vector<terminal::LogRow> rows;
    int releases = 0;
    // Runs when a text appears on the access panel: what another terminal does meanwhile.
    std::function<void(const QString&)> onStatus = [](const QString&) {};
    void shown(terminal::Place place, const QString& text) override {
        if (place == terminal::Place::StatusPanel) {
            statusTexts << text;
            onStatus(text);
        } else if (place == terminal::Place::InformationPanel)
            informationTexts << text;
    }
    void rowWritten(const terminal::LogRow& row) override { rows.push_back(row); }
    void releaseRequested() override { ++releases; }
};

class RecordingOutputs : public terminal::TurnstileOutputs {
public:
    struct Pulse {
        terminal::TurnstileTarget target;
        int milliseconds;
    };
    std::vector<Pulse> pulses;
    // When set, the device fails under the pulse with this error, as a driver can.
    QString deviceError;
    terminal::PulseReport pulse(const terminal::TurnstileTarget& target,
                                int milliseconds) override {
        if (!deviceError.isEmpty()) {
            throw std::runtime_error(deviceError.toStdString());
        }
        pulses.push_back({target, milliseconds});
        return {};
    }
    // The device steps of start-up, exit and closing.
    QStringList steps;
    terminal::OutputPreparation prepare(const terminal::TurnstileSettings& settings) override {
        steps << QStringLiteral("prepare ") + settings.roleta;
        return {};
    }
    void release() override { steps << QStringLiteral("release"); }
    void clearParallelPort(const QString& address) override {
        steps << QStringLiteral("clear ") + address;
    }
};

// A capture screen whose finger the test decides.
class ScriptedCaptureScreen : public terminal::CaptureScreen {
public:
    std::function<void(terminal::TerminalUnit&)> script = [](terminal::TerminalUnit&) {};
    int shown = 0;
    void showModal(terminal::TerminalUnit& unit) override {
        ++shown;
        script(unit);
    }
};

// The screen as the next person finds it: the entry enabled and empty, no outcome shown,
// and no close asked for.
void expectIdle(const terminal::ScreenState& state);

// A club on a real SQLite file with both settings rows and a cash period open on the
// business date, and a terminal screen over it with recording services. Settings and
// people are set before open(); the screen reads the settings when it is shown.
class DecisionHarness {
public:
    // Monday 15/03/2021 at 10:00.
    explicit DecisionHarness(Route route = Route::Direct);
    ~DecisionHarness();

    void setSacvar(const char* column, const QVariant& value);
    void setSacvar2(const char* column, const QVariant& value);
    // An active student paid up for March 2021 on the monthly fee "01", unless the
    // columns given say otherwise (dates as QDate).
    void addStudent(const QString& matricula, const QVariantMap& columns = {});
    void addEmployee(const QString& matricula, const QVariantMap& columns = {});
    void insert(const char* table, const QVariantMap& columns);

    void open();
    // The number as typed and submitted: the student or employee decision runs.
    void identifyStudent(const QString& matricula);
    void identifyEmployee(const QString& matricula);
    // Types the text into the entry field and presses Enter, as at the keyboard: the hub
    // classifies it, and an error on the way ends in the exception log.
    void type(const QString& text);

    terminal::TerminalScreen& screen() { return *screen_; }
    int count(const QString& sqlCountStatement);

    TestDatabase db;
    SettableClock clock{QDateTime(QDate(2021, 3, 15), QTime(10, 0))};
    RecordingPump pump{clock};
    ScriptedAviso aviso;
    RecordingErrorLog errorLog;
    RecordingObserver observer;
    RecordingOutputs outputs;
    ScriptedCaptureScreen capture;
    terminal::TerminalUnit unit;
    // A real fingerprint reader and capture screen instead of none and the scripted one.
    terminal::FingerprintReader* fingerprintReader = nullptr;
    terminal::CaptureScreen* captureScreen = nullptr;
    // Real turnstile outputs instead of the recording ones.
    terminal::TurnstileOutputs* turnstileOutputs = nullptr;
    // Where the rows go instead of the club database, and what a failed statement asks.
    terminal::LogWriter* writer = nullptr;
    terminal::ConnectionSwitch* connectionSwitch = nullptr;

private:
    void update(const char* table, const char* column, const QVariant& value);

    std::unique_ptr<terminal::DatabaseLogWriter> writer_;
    terminal::NoReaderLine readerLine_;
    terminal::NoFingerprintReader fingerprint_;
    std::unique_ptr<terminal::TerminalScreen> screen_;
};

} // namespace orvalen::test
