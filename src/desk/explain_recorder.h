#pragma once

#include "store/aviso.h"
#include "store/error_log.h"
#include "terminal/log_writer.h"
#include "terminal/rules/reasons.h"
#include "terminal/screen_observer.h"
#include "terminal/services/clock.h"
#include "terminal/services/pump.h"
#include "terminal/services/turnstile_outputs.h"

#include <QDateTime>
#include <optional>
#include <vector>

namespace orvalen::desk {

// A text the screen showed and where.
struct ShownText {
    terminal::Place place;
    QString text;
};

// What one explained identification went through, each list in the order it happened.
struct Explanation {
    QString typed;
    QDate businessDate;
    QTime time;
    std::vector<terminal::rules::Check> checks;
    std::vector<ShownText> shown;
    std::vector<terminal::LogRow> rows; // what the terminal would have written
    bool releaseRequested = false;
    QStringList errors;

    // Let in: the release was asked for and the access point did not veto it.
    bool granted() const;
    // The check that turned the person away: the last refusal, since a later refusal
    // replaces an earlier outcome. Nothing for a person let in.
    const terminal::rules::Check* deciding() const;
    // The outcome: the last text shown on the information or status panel (whole, where
    // the log's OBS cuts it to 30 characters).
    QString outcomeText() const;
    // STATUS of the day's row: "L", "S", "H", "V"; empty when no row is written.
    QString status() const;
};

// The services of a headless identification that keeps everything for the explanation:
// the clock stands at the chosen moment and moves only by the waits, message boxes are
// answered OK / Yes, nothing is pulsed.
class ExplainRecorder : public terminal::Clock,
                        public terminal::Pump,
                        public store::Aviso,
                        public store::ErrorLog,
                        public terminal::ScreenObserver,
                        public terminal::TurnstileOutputs {
public:
    explicit ExplainRecorder(QDateTime start) : now_(start) {}

    QDateTime now() const override { return now_; }
    void processEvents() override {}
    void wait(int milliseconds) override { now_ = now_.addMSecs(milliseconds); }
    int AVISO(const QString& kind, const QString& text, const QString& detail = {}) override;
    void record(const QString& message) override { explanation.errors << message; }
    void shown(terminal::Place place, const QString& text) override;
    void rowWritten(const terminal::LogRow& row) override { explanation.rows.push_back(row); }
    void releaseRequested() override { explanation.releaseRequested = true; }
    void checked(const terminal::rules::Check& check) override;
    terminal::PulseReport pulse(const terminal::TurnstileTarget&, int) override { return {}; }

    Explanation explanation;

private:
    QDateTime now_;
};

} // namespace orvalen::desk
