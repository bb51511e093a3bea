#include "hardware/comm.h"

#include "hardware/comm_event_thread.h"
#include "hardware/modem_watcher.h"

#include <QThread>
#include <algorithm>

namespace orvalen::hardware::comm {

namespace {

constexpr int kFirstRetryMs = 1000;
constexpr int kLongestRetryMs = 30000;

constexpr TCommEventTypes kModemEvents = TCommEventTypes(TCommEventType::evCts) |
                                         TCommEventType::evDsr | TCommEventType::evRing |
                                         TCommEventType::evRlsd;

} // namespace

TComm::TComm(ModemLines& lines) : lines_(lines) {
    reopenTimer_.setSingleShot(true);
    QObject::connect(&reopenTimer_, &QTimer::timeout, &context_, [this] { retryOpen(); });
}

TComm::~TComm() {
    Close();
}

void TComm::Open() {
    if (device_.isOpen()) {
        return;
    }
    if (openDevice()) {
        lost_ = false;
        reopenTimer_.stop();
        return;
    }
    // The device is missing (it vanished while open, or while the port was closed): keep
    // looking for it with the same growing pauses.
    if (!lost_) {
        lost_ = true;
        retryDelayMs_ = kFirstRetryMs;
    }
    if (!reopenTimer_.isActive()) {
        reopenTimer_.start(retryDelayMs_);
    }
}

bool TComm::openDevice() {
    if (!device_.open(DeviceName)) {
        return false;
    }
    received_.clear();
    received_.setLimit(ReadBufSize);
    received_.setNullStrip(options_.testFlag(TCommOption::coNullStrip));
    auto handOver = std::make_shared<HandOver>(&context_, events_);
    eventThread_ = CommEventThread::start(
        device_.fd(), received_, std::move(handOver), [this](CommEventThread::Signal signal) {
            if (signal == CommEventThread::Signal::Lost) {
                deviceLost(QStringLiteral("the line hung up"));
            } else if (MonitorEvents.testFlag(TCommEventType::evRxChar)) {
                dispatch(TCommEventType::evRxChar);
            }
        });
    if (MonitorEvents & kModemEvents) {
        modemWatcher_ =
            ModemWatcher::start(lines_, device_.fd(), &context_, events_,
                                [this](const ModemChange& change) { modemChanged(change); });
    }
    // A tty comes with XON/XOFF on; a reader's frame must not lose bytes 17 and 19 to it.
    // So a line just opened starts without flow control, which fcDefault then keeps.
    LineSettings first = lineSettings();
    if (first.flow == TFlowControl::fcDefault) {
        first.flow = TFlowControl::fcNone;
    }
    device_.configure(first);
    breakOn_ = false;
    return true;
}

void TComm::Close() {
    reopenTimer_.stop();
    shutDown();
}

void TComm::shutDown() {
    if (!device_.isOpen()) {
        return;
    }
    // Stopping the threads cancels their hand-overs: an event already queued for the GUI
    // thread finds them cancelled and delivers nothing.
    eventThread_.reset();
    modemWatcher_.reset();
    events_.clear();
    device_.close();
}

LineSettings TComm::lineSettings() const {
    LineSettings settings;
    settings.baudRate = baudRateValue(baudRate_);
    settings.dataBits = databits_;
    settings.stopBits = stopbits_;
    settings.parity = parity_;
    settings.chars = eventChars_;
    settings.flow = flowControl_;
    settings.options = options_;
    return settings;
}

void TComm::updateLineSettings() {
    if (device_.isOpen()) {
        device_.configure(lineSettings());
    }
}

void TComm::setBaudRate(TBaudrate rate) {
    baudRate_ = rate;
    updateLineSettings();
}

void TComm::setParity(TParity parity) {
    parity_ = parity;
    updateLineSettings();
}

void TComm::setStopbits(TStopbits stopbits) {
    stopbits_ = stopbits;
    updateLineSettings();
}

void TComm::setDatabits(TDatabits databits) {
    databits_ = databits;
    updateLineSettings();
}

void TComm::setEventChars(const TCommEventChars& chars) {
    eventChars_ = chars;
    updateLineSettings();
}

void TComm::setOptions(TCommOptions options) {
    options_ = options;
    received_.setNullStrip(options_.testFlag(TCommOption::coNullStrip));
    updateLineSettings();
}

void TComm::setFlowControl(TFlowControl flow) {
    flowControl_ = flow;
    updateLineSettings();
}

void TComm::dispatch(TCommEventTypes mask) {
    if (!device_.isOpen()) {
        return;
    }
    // The count is taken when the event runs, after whatever a purge threw away.
    const int waiting = received_.waiting();
    const auto fire = [&](TCommEventType type, const Notify& handler) {
        if (mask.testFlag(type) && handler && device_.isOpen()) {
            handler();
        }
    };
    fire(TCommEventType::evCts, OnCts);
    fire(TCommEventType::evDsr, OnDsr);
    fire(TCommEventType::evRing, OnRing);
    fire(TCommEventType::evRlsd, OnRlsd);
    if (mask.testFlag(TCommEventType::evRxChar) && waiting > 0 && OnRxChar && device_.isOpen()) {
        OnRxChar(waiting);
    }
}

void TComm::modemChanged(const ModemChange& change) {
    TCommEventTypes mask;
    mask.setFlag(TCommEventType::evCts, change.cts);
    mask.setFlag(TCommEventType::evDsr, change.dsr);
    mask.setFlag(TCommEventType::evRing, change.ring);
    mask.setFlag(TCommEventType::evRlsd, change.rlsd);
    dispatch(mask & MonitorEvents);
}

void TComm::deviceLost(const QString& reason) {
    if (!device_.isOpen()) {
        return;
    }
    const bool holding = breakOn_;
    shutDown();
    breakOn_ = holding;
    lost_ = true;
    retryDelayMs_ = kFirstRetryMs;
    reopenTimer_.start(retryDelayMs_);
    if (OnDeviceLost) {
        OnDeviceLost(QStringLiteral("serial device %1 stopped answering (%2); it is closed and "
                                    "will be reopened when it is back")
                         .arg(DeviceName, reason));
    }
}

void TComm::retryOpen() {
    if (!lost_ || device_.isOpen()) {
        return;
    }
    const bool holding = breakOn_;
    if (openDevice()) {
        lost_ = false;
        // A reader that was held when its adapter vanished stays held.
        if (holding) {
            SetBREAKState(true);
        }
        return;
    }
    retryDelayMs_ = std::min(retryDelayMs_ * 2, kLongestRetryMs);
    reopenTimer_.start(retryDelayMs_);
}

int TComm::Read(char* Buf, int Count) {
    if (!device_.isOpen()) {
        QThread::msleep(static_cast<unsigned long>(std::max(ReadTimeout, 0)));
        return -1;
    }
    const SerialDevice::Transfer read = received_.read(Buf, Count);
    if (read.outcome == SerialDevice::Outcome::Lost) {
        deviceLost(QStringLiteral("a read failed"));
        return -1;
    }
    return read.outcome == SerialDevice::Outcome::Done ? read.count : -1;
}

int TComm::Write(const char* Buf, int Count) {
    if (!device_.isOpen()) {
        QThread::msleep(static_cast<unsigned long>(std::max(WriteTimeout, 0)));
        return -1;
    }
    const SerialDevice::Transfer written = device_.write(Buf, Count, WriteTimeout);
    if (written.outcome == SerialDevice::Outcome::Lost) {
        deviceLost(QStringLiteral("a write failed"));
        return -1;
    }
    return written.outcome == SerialDevice::Outcome::Done ? written.count : -1;
}

int TComm::InQueCount() const {
    return device_.isOpen() ? received_.waiting() : -1;
}

int TComm::OutQueCount() const {
    return device_.isOpen() ? device_.outQueue().value_or(-1) : -1;
}

void TComm::PurgeIn() {
    if (device_.isOpen()) {
        received_.clear();
    }
}

void TComm::PurgeOut() {
    device_.purge(false, true);
}

void TComm::SetDTRState(bool State) {
    if (device_.isOpen()) {
        lines_.setDtr(device_.fd(), State);
    }
}

void TComm::SetRTSState(bool State) {
    if (device_.isOpen()) {
        lines_.setRts(device_.fd(), State);
    }
}

void TComm::SetXONState(bool State) {
    device_.setOutputFlow(State);
}

void TComm::SetBREAKState(bool State) {
    if (!device_.isOpen()) {
        // Remembered for a device that is being looked for: it comes back as last asked.
        if (lost_) {
            breakOn_ = State;
        }
        return;
    }
    lines_.setBreak(device_.fd(), State);
    breakOn_ = State;
    received_.clear();
    device_.purge(false, true);
}

} // namespace orvalen::hardware::comm
