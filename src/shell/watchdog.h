#pragma once

#include "contingency/away_switch.h"
#include "store/aviso.h"
#include "store/connection.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace orvalen::shell {

// The database watchdog of the main window: every 3000 ms one query of Sacvar; when it
// fails, the support message and then the reconnection loop hold the operator until the
// connection is back. Ticks that arrive meanwhile (the message box runs its own event
// loop) are ignored, so they never pile up.
class Watchdog : public QObject {
public:
    static constexpr int kIntervalMs = 3000;
    using Pump = std::function<void()>;
    // Reads the data-link file again: each reconnection attempt uses what it says now.
    using DataLink = std::function<store::Result<store::ConnectionSpec>()>;

    Watchdog(store::ClubConnection& connection, DataLink dataLink, store::Aviso& aviso, Pump pump,
             QObject* parent = nullptr);

    // Starts the periodic probe (Timer1).
    void start();
    // With contingency on: a club database that does not answer moves the connection to
    // the copy instead of holding the operator, and each tick then tries to get it back.
    void setAwaySwitch(contingency::AwaySwitch* away) { away_ = away; }
    bool enabled() const { return enabled_; }

    void Timer1Timer();
    void ReSetBanco();

    static QString supportDetail();

private:
    void showSupportMessage();
    bool probe() const;
    bool clubGone() const;

    store::ClubConnection& connection_;
    DataLink dataLink_;
    store::Aviso& aviso_;
    Pump pump_;
    QTimer timer_;
    bool enabled_ = true;
    contingency::AwaySwitch* away_ = nullptr;
};

} // namespace orvalen::shell
