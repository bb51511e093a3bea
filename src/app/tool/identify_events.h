#pragma once

#include "store/aviso.h"
#include "store/error_log.h"
#include "terminal/screen_observer.h"
#include "terminal/services/clock.h"
#include "terminal/services/devices.h"
#include "terminal/services/pump.h"
#include "terminal/services/turnstile_outputs.h"

#include <QDateTime>
#include <QTextStream>

namespace orvalen::tool {

// Everything a headless identification goes through, printed as it happens: texts and
// where they appear, message boxes (answered OK / Yes), waits (which move the clock on
// instead of sleeping), log rows, releases and logged errors. Human-readable lines, or one
// JSON object per line. Pulses go to the turnstile's real outputs when a device is given
// (a dry run gives none), and are printed either way.
class IdentifyEvents : public terminal::Clock,
                       public terminal::Pump,
                       public store::Aviso,
                       public store::ErrorLog,
                       public terminal::ScreenObserver,
                       public terminal::TurnstileOutputs {
public:
    IdentifyEvents(QTextStream& out, bool json, QDateTime start)
        : out_(out), json_(json), now_(start) {}

    QDateTime now() const override { return now_; }
    void processEvents() override {}
    void wait(int milliseconds) override;
    int AVISO(const QString& kind, const QString& text, const QString& detail = {}) override;
    void record(const QString& message) override;
    void shown(terminal::Place place, const QString& text) override;
    void rowWritten(const terminal::LogRow& row) override;
    void releaseRequested() override;
    terminal::PulseReport pulse(const terminal::TurnstileTarget& target,
                                int pulseMilliseconds) override;
    terminal::OutputPreparation prepare(const terminal::TurnstileSettings& settings) override;
    void release() override;
    void clearParallelPort(const QString& address) override;
    void showInformationWith(ShowInformation show) override;
    void setDevice(terminal::TurnstileOutputs* device) { device_ = device; }

private:
    void emitJson(const QJsonObject& object);

    QTextStream& out_;
    bool json_;
    QDateTime now_;
    terminal::TurnstileOutputs* device_ = nullptr;
};

} // namespace orvalen::tool
