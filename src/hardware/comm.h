#pragma once

#include "hardware/comm_types.h"
#include "hardware/gui_handover.h"
#include "hardware/modem_lines.h"
#include "hardware/receive_queue.h"
#include "hardware/serial_device.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

namespace orvalen::hardware {

class CommEventThread;
class ModemWatcher;
struct ModemChange;

namespace comm {

// The event-driven serial port of the reader line. An event thread waits for the line and
// hands each event to the GUI thread, where the handlers run one at a time; OnRxChar gets
// the number of bytes waiting. Reads, writes and line control are synchronous.
//
// Create, call and destroy it on the GUI thread. Failures are silent, as the terminal
// expects: Enabled tells whether the port is open, and Read/Write give -1 when nothing
// could be transferred. One addition: a device that vanishes while open (a USB adapter
// pulled) is closed, reported once through OnDeviceLost, and reopened in the background
// with growing pauses (1 s doubling to 30 s) until it is back; an Open that finds no device
// starts the same search. Close pauses the search and the next Open resumes it; a break
// state set meanwhile is the one the device comes back with.
class TComm {
public:
    using Notify = std::function<void()>;
    using RxCharEvent = std::function<void(int count)>;
    using DeviceLost = std::function<void(const QString& message)>;

    explicit TComm(ModemLines& lines = kernelModemLines());
    ~TComm();

    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // Device path; used at the next Open.
    QString DeviceName = QStringLiteral("Com2");
    int ReadTimeout = 1000;  // ms
    int WriteTimeout = 1000; // ms
    int ReadBufSize = 4096;  // next Open: the most received bytes kept waiting
    TCommEventTypes MonitorEvents = kAllCommEvents; // next Open

    // Applied at once to an open port.
    TBaudrate BaudRate() const { return baudRate_; }
    void setBaudRate(TBaudrate rate);
    TParity Parity() const { return parity_; }
    void setParity(TParity parity);
    TStopbits Stopbits() const { return stopbits_; }
    void setStopbits(TStopbits stopbits);
    TDatabits Databits() const { return databits_; }
    void setDatabits(TDatabits databits);
    const TCommEventChars& EventChars() const { return eventChars_; }
    void setEventChars(const TCommEventChars& chars);
    TCommOptions Options() const { return options_; }
    void setOptions(TCommOptions options);
    TFlowControl FlowControl() const { return flowControl_; }
    void setFlowControl(TFlowControl flow);

    // Handlers, called on the GUI thread in this order for one event. The kernel tells of
    // received bytes and modem-line changes only, so break, line-error, event-character
    // and transmit-empty events never come and have no handler here.
    Notify OnCts;
    Notify OnDsr;
    Notify OnRing;
    Notify OnRlsd;
    RxCharEvent OnRxChar; // only with a count above 0
    // Called once each time an open device vanishes; the message names the device.
    DeviceLost OnDeviceLost;

    // Nothing is reported; Enabled tells the outcome. Open on an open port does nothing.
    void Open();
    // Nothing is delivered after Close, not even an event already on its way.
    void Close();
    bool Enabled() const { return device_.isOpen(); }
    int Handle() const { return device_.fd(); }

    // Up to Count bytes already waiting; -1 after ReadTimeout ms on a closed port.
    int Read(char* Buf, int Count);
    // All Count bytes; -1 when they did not go within WriteTimeout ms.
    int Write(const char* Buf, int Count);
    int InQueCount() const; // -1 when closed
    int OutQueCount() const;
    void PurgeIn();
    void PurgeOut();

    void SetDTRState(bool State);
    void SetRTSState(bool State);
    void SetXONState(bool State);
    // Also empties both queues: what the reader sent before is thrown away.
    void SetBREAKState(bool State);

    // The line parameters the next update writes.
    LineSettings lineSettings() const;

private:
    bool openDevice();
    void shutDown();
    void updateLineSettings();
    void dispatch(TCommEventTypes mask);
    void modemChanged(const ModemChange& change);
    void deviceLost(const QString& reason);
    void retryOpen();

    ModemLines& lines_;
    TBaudrate baudRate_ = TBaudrate::br9600;
    TParity parity_ = TParity::paNone;
    TStopbits stopbits_ = TStopbits::sb10;
    TDatabits databits_ = TDatabits::da8;
    TCommEventChars eventChars_;
    TCommOptions options_;
    TFlowControl flowControl_ = TFlowControl::fcDefault;

    SerialDevice device_;
    ReceiveQueue received_{device_};
    bool breakOn_ = false;
    bool lost_ = false;
    int retryDelayMs_ = 0;
    OneEventAtATime events_;
    QObject context_; // after events_: its queued events die first
    QTimer reopenTimer_;
    std::unique_ptr<CommEventThread> eventThread_;
    std::unique_ptr<ModemWatcher> modemWatcher_;
};

} // namespace comm
} // namespace orvalen::hardware
