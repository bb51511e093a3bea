#pragma once

#include "store/aviso.h"
#include "store/error_log.h"
#include "terminal/services/clock.h"
#include "terminal/services/devices.h"
#include "terminal/services/pump.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace orvalen::test {

// A clock the test sets and the recording pump advances.
class SettableClock : public terminal::Clock {
public:
    explicit SettableClock(QDateTime now = QDateTime(QDate(2026, 3, 10), QTime(9, 30)))
        : now_(now) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& now) { now_ = now; }
    void advance(int milliseconds) { now_ = now_.addMSecs(milliseconds); }

private:
    QDateTime now_;
};

// Records each wait and moves the clock on by it; runs no events.
class RecordingPump : public terminal::Pump {
public:
    explicit RecordingPump(SettableClock& clock) : clock_(clock) {}
    void processEvents() override { ++eventRuns; }
    void wait(int milliseconds) override {
        waits.push_back(milliseconds);
        clock_.advance(milliseconds);
        if (duringWait) {
            duringWait();
        }
    }

    std::vector<int> waits;
    std::function<void()> duringWait; // what arrives from outside while the screen is held
    int eventRuns = 0;

private:
    SettableClock& clock_;
};

// Every message box shown, answered from a script (OK or Yes when the script is empty).
class ScriptedAviso : public store::Aviso {
public:
    struct Box {
        QString kind;
        QString text;
        QString detail;
    };
    int AVISO(const QString& kind, const QString& text, const QString& detail = {}) override {
        boxes.push_back({kind, text, detail});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return kind == QLatin1String("!") ? kOk : kYes;
    }

    std::vector<Box> boxes;
    std::deque<int> answers;
};

class RecordingErrorLog : public store::ErrorLog {
public:
    void record(const QString& message) override { messages << message; }
    QStringList messages;
};

// The reader line and the Tec12 USB keypad library, recorded: each call in order in
// `calls`, and what the screen set. Reads give the bytes the test queued.
class RecordingReaderLine : public terminal::ReaderLine {
public:
    void configure(const QString& portName, const store::SerialLineParameters& line) override {
        this->portName = portName;
        parameters = line;
        calls << QStringLiteral("configure ") + portName;
    }
    void setBreak(bool on) override {
        breaks.push_back(on);
        calls << (on ? QStringLiteral("break on") : QStringLiteral("break off"));
    }
    void open() override {
        ++opens;
        calls << QStringLiteral("open");
    }
    void close() override {
        ++closes;
        calls << QStringLiteral("close");
    }
    int read(char* buffer, int count) override {
        if (readFails) {
            return -1;
        }
        const int taken = std::min(count, static_cast<int>(waiting.size()));
        std::copy_n(waiting.constData(), taken, buffer);
        waiting.remove(0, taken);
        return taken;
    }
    int bytesWaiting() override { return int(waiting.size()); }
    void setRxCharHandler(RxChar handler) override { rxChar = std::move(handler); }
    bool openKeypad(int port, int baudRate, int dataBits) override {
        calls << QStringLiteral("Open_Comm %1 %2 %3").arg(port).arg(baudRate).arg(dataBits);
        return keypadOpens;
    }
    void sendKeypad(int port, int value) override {
        calls << QStringLiteral("send_data_rs %1 %2").arg(port).arg(value);
    }
    void closeKeypad(int port) override { calls << QStringLiteral("Close_Comm %1").arg(port); }

    std::vector<bool> breaks;
    int opens = 0;
    int closes = 0;
    QStringList calls;
    QString portName;
    store::SerialLineParameters parameters;
    RxChar rxChar;
    QByteArray waiting;      // what the line holds for the next reads
    bool keypadOpens = true; // Open_Comm's answer
    bool readFails = false;  // reads give -1, as a line that cannot deliver
};

class RecordingFingerprint : public terminal::FingerprintReader {
public:
    terminal::ReaderPreparation prepare(terminal::ReaderKind kind) override {
        calls << (kind == terminal::ReaderKind::NBioBSP ? QStringLiteral("prepare NBioBSP")
                                                        : QStringLiteral("prepare DigitalPersona"));
        return preparation;
    }
    void release() override { calls << QStringLiteral("release"); }
    bool CheckFinger() override {
        calls << QStringLiteral("CheckFinger");
        return fingerOnSensor;
    }
    store::Result<std::optional<QString>>
    findStoredFinger(const biometrics::dpfp::DPFPFeatureSet&) override {
        calls << QStringLiteral("find");
        return std::optional<QString>();
    }
    void templatesChanged() override { calls << QStringLiteral("templatesChanged"); }
    terminal::ReaderPreparation preparation;
    bool fingerOnSensor = false;
    void openDevice() override { calls << QStringLiteral("open"); }
    void closeDevice() override { calls << QStringLiteral("close"); }
    void startPoll() override { calls << QStringLiteral("startPoll"); }
    void stopPoll() override { calls << QStringLiteral("stopPoll"); }
    void startCapture() override { calls << QStringLiteral("StartCapture"); }
    void stopCapture() override { calls << QStringLiteral("StopCapture"); }
    QStringList calls;
};

} // namespace orvalen::test
