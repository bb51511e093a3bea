#include "terminal/services/serial_reader_line.h"

#include "hardware/serial_device.h"

namespace orvalen::terminal {

namespace {

using hardware::comm::TBaudrate;
using hardware::comm::TDatabits;
using hardware::comm::TParity;
using hardware::comm::TStopbits;

constexpr auto kDesignedBaudRate = TBaudrate::br1200;

TParity parityFor(store::SerialLineParameters::Parity parity) {
    switch (parity) {
    case store::SerialLineParameters::Parity::Odd:
        return TParity::paOdd;
    case store::SerialLineParameters::Parity::Even:
        return TParity::paEven;
    case store::SerialLineParameters::Parity::None:
        break;
    }
    return TParity::paNone;
}

} // namespace

void applyLineParameters(hardware::comm::TComm& comm, const store::SerialLineParameters& line) {
    comm.setBaudRate(hardware::comm::baudRateFor(line.baudRate).value_or(kDesignedBaudRate));
    comm.setDatabits(hardware::comm::databitsFor(line.dataBits).value_or(TDatabits::da8));
    comm.setStopbits(hardware::comm::stopbitsFor(line.stopBits).value_or(TStopbits::sb10));
    comm.setParity(parityFor(line.parity));
}

SerialReaderLine::SerialReaderLine(store::LocalSettings local, store::ErrorLog& log,
                                   hardware::ModemLines& lines)
    : local_(std::move(local)), log_(log), comm_(lines), keypad_([this](int port) {
          return local_.deviceForPort(QStringLiteral("COM%1").arg(port));
      }) {
    // Only received characters make the reader's events. NUL bytes a reader sends before
    // its frame, or a character damaged on the line, must not take a place in the frame.
    comm_.MonitorEvents = hardware::comm::TCommEventType::evRxChar;
    comm_.setBaudRate(kDesignedBaudRate);
    comm_.setOptions(
        hardware::comm::TCommOptions(hardware::comm::TCommOption::coParityCheck) |
        hardware::comm::TCommOption::coDsrSensitivity | hardware::comm::TCommOption::coIgnoreXOff |
        hardware::comm::TCommOption::coErrorChar | hardware::comm::TCommOption::coNullStrip);
    comm_.OnDeviceLost = [this](const QString& message) {
        log_.record(message + QStringLiteral("\n") + deviceAdvice(portName_));
    };
}

SerialReaderLine::~SerialReaderLine() {
    comm_.OnRxChar = {};
    comm_.Close();
}

void SerialReaderLine::configure(const QString& portName, const store::SerialLineParameters& line) {
    portName_ = portName;
    comm_.DeviceName = local_.deviceForPort(portName);
    applyLineParameters(comm_, line);
}

void SerialReaderLine::setBreak(bool on) {
    comm_.SetBREAKState(on);
}

void SerialReaderLine::open() {
    comm_.Open();
    if (comm_.Enabled()) {
        openFailureReported_ = false;
        return;
    }
    if (openFailureReported_) {
        return;
    }
    openFailureReported_ = true;
    // The port says nothing of why; opening the device once more does.
    hardware::SerialDevice probe;
    QString why;
    if (probe.open(comm_.DeviceName, &why)) {
        why = QStringLiteral("it was busy a moment ago");
    }
    log_.record(QStringLiteral("the reader line cannot be opened: %1\n%2")
                    .arg(why, deviceAdvice(portName_)));
}

void SerialReaderLine::close() {
    comm_.Close();
}

int SerialReaderLine::read(char* buffer, int count) {
    return comm_.Read(buffer, count);
}

int SerialReaderLine::bytesWaiting() {
    return comm_.InQueCount();
}

void SerialReaderLine::setRxCharHandler(RxChar handler) {
    comm_.OnRxChar = std::move(handler);
}

bool SerialReaderLine::openKeypad(int port, int baudRate, int dataBits) {
    return keypad_.Open_Comm(port, baudRate, dataBits, 0, 0, 0);
}

void SerialReaderLine::sendKeypad(int port, int value) {
    keypad_.send_data_rs(port, value);
}

void SerialReaderLine::closeKeypad(int port) {
    keypad_.Close_Comm(port);
}

QString SerialReaderLine::deviceAdvice(const QString& portName) const {
    return QStringLiteral("the reader's port %1 (Sacvar.PINPAD) is the device %2 ([ports] %1= in "
                          "%3); check that it is plugged in, that no other program holds it, and "
                          "let the terminal's user join the group dialout")
        .arg(portName, local_.deviceForPort(portName),
             local_.filePath(QStringLiteral("terminal.ini")));
}

} // namespace orvalen::terminal
