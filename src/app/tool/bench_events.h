#pragma once

#include "store/aviso.h"
#include "store/error_log.h"
#include "terminal/screen_observer.h"
#include "terminal/services/clock.h"
#include "terminal/services/pump.h"
#include "terminal/services/turnstile_outputs.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QStringList>

namespace orvalen::tool {

// The world of a terminal under measurement: waits are recorded and move the clock on
// instead of sleeping, message boxes are answered OK / Yes, the turnstile is never pulsed.
// It notes when the screen last began and ended a hold, so that a person's time splits into
// the decision (up to the hold that shows the outcome) and the reset (after it).
class BenchEvents : public terminal::Clock,
                    public terminal::Pump,
                    public store::Aviso,
                    public store::ErrorLog,
                    public terminal::ScreenObserver,
                    public terminal::TurnstileOutputs {
public:
    explicit BenchEvents(QDateTime start) : start_(start), now_(start) { elapsed_.start(); }

    QDateTime now() const override { return now_; }
    void processEvents() override {}
    void wait(int milliseconds) override;
    int AVISO(const QString& kind, const QString&, const QString& = {}) override {
        return kind == QLatin1String("!") ? kOk : kYes;
    }
    void record(const QString& message) override { errors_ << message; }
    terminal::PulseReport pulse(const terminal::TurnstileTarget&, int) override { return {}; }

    // Nanoseconds since the run began.
    qint64 nanoseconds() const { return elapsed_.nsecsElapsed(); }
    // Forgets the holds seen so far and turns the clock back: every person comes at the same
    // time of day, whatever the holds before added up to.
    void startPerson() {
        holds_ = 0;
        now_ = start_;
    }
    int holds() const { return holds_; }
    qint64 lastHoldStart() const { return lastHoldStart_; }
    qint64 lastHoldEnd() const { return lastHoldEnd_; }
    // Errors the screen sent to the exception log.
    const QStringList& errors() const { return errors_; }

private:
    QDateTime start_;
    QDateTime now_;
    QElapsedTimer elapsed_;
    int holds_ = 0;
    qint64 lastHoldStart_ = 0;
    qint64 lastHoldEnd_ = 0;
    QStringList errors_;
};

} // namespace orvalen::tool
