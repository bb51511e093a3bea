#include "hardware/com_port.h"

#include "hardware/modem_watcher.h"

#include <QSerialPort>

namespace orvalen::hardware {

namespace {

QSerialPort::Parity qtParity(TParity parity) {
    switch (parity) {
    case TParity::ptODD:
        return QSerialPort::OddParity;
    case TParity::ptEVEN:
        return QSerialPort::EvenParity;
    case TParity::ptMARK:
        return QSerialPort::MarkParity;
    case TParity::ptSPACE:
        return QSerialPort::SpaceParity;
    case TParity::ptNONE:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(TStopBit stopBits) {
    switch (stopBits) {
    case TStopBit::sbONE5:
        return QSerialPort::OneAndHalfStop;
    case TStopBit::snTWO:
        return QSerialPort::TwoStop;
    case TStopBit::sbONE:
        break;
    }
    return QSerialPort::OneStop;
}

} // namespace

TComPort::TComPort(DeviceForPort deviceForPort, ModemLines& lines)
    : deviceForPort_(std::move(deviceForPort)), lines_(lines),
      serial_(std::make_unique<QSerialPort>()) {
    // Queued: the port does not announce new bytes again while a readyRead is still being
    // handled, and a handler may let events run for a long time.
    QObject::connect(
        serial_.get(), &QSerialPort::readyRead, serial_.get(),
        [this] { events_.deliver([this] { receive(); }); }, Qt::QueuedConnection);
    QObject::connect(
        serial_.get(), &QSerialPort::errorOccurred, serial_.get(),
        [this](QSerialPort::SerialPortError error) {
            if (open_ && (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)) {
                events_.deliver([this] { deviceFailed(); });
            }
        });
}

TComPort::~TComPort() {
    Close();
}

void TComPort::Open() {
    if (open_) {
        return;
    }
    serial_->setPortName(deviceForPort_ ? deviceForPort_(Port) : Port);
    // The port starts from fixed settings; a property the driver refuses below leaves these.
    serial_->setBaudRate(9600);
    serial_->setDataBits(QSerialPort::Data8);
    serial_->setParity(QSerialPort::EvenParity);
    serial_->setStopBits(QSerialPort::OneStop);
    serial_->setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_->open(QIODevice::ReadWrite)) {
        const QString reason = serial_->errorString();
        serial_->clearError();
        throw EComError(QStringLiteral("TCOMPORT : cannot open ") + Port + QLatin1Char('\r') +
                        reason);
    }
    // Every open begins with both queues empty and DTR and RTS dropped.
    serial_->clear(QSerialPort::AllDirections);
    lines_.setDtr(serial_->handle(), false);
    lines_.setRts(serial_->handle(), false);

    applyLineParameters();
    // The driver keeps no more than this many received bytes waiting for us.
    serial_->setReadBufferSize(WinQSizeIn);
    rxBuf_.clear();

    open_ = true;
    if (wantsLineEvents()) {
        watcher_ = ModemWatcher::start(lines_, serial_->handle(), serial_.get(), events_,
                                       [this](const ModemChange& change) { lineEvent(change); });
    }
    if (OnPortOpen) {
        OnPortOpen();
    }
}

void TComPort::applyLineParameters() {
    serial_->setBaudRate(static_cast<qint32>(Baud));
    if (DataBits >= 5 && DataBits <= 8) {
        serial_->setDataBits(static_cast<QSerialPort::DataBits>(DataBits));
    }
    serial_->setParity(qtParity(Parity));
    serial_->setStopBits(qtStopBits(StopBits));
    serial_->setFlowControl(QSerialPort::NoFlowControl);
}

void TComPort::Close() {
    if (!open_) {
        return;
    }
    open_ = false;
    // Events already on their way deliver nothing now.
    events_.clear();
    watcher_.reset();
    serial_->close();
    if (OnPortClose) {
        OnPortClose();
    }
}

void TComPort::SetRTS(bool status) {
    if (open_) {
        lines_.setRts(serial_->handle(), status);
    }
}

void TComPort::SetDTR(bool status) {
    if (open_) {
        lines_.setDtr(serial_->handle(), status);
    }
}

void TComPort::Send(const QString& data) {
    if (!open_) {
        return;
    }
    QByteArray bytes;
    bytes.reserve(data.size());
    for (QChar c : data) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    serial_->write(bytes);
    // Hands the bytes to the driver now, without waiting for them to leave the line.
    serial_->flush();
}

void TComPort::receive() {
    if (!open_) {
        return;
    }
    const QByteArray received = serial_->readAll();
    if (!ReceiveCallBack) {
        return;
    }
    if (ReceiveMode == TReceiveMode::rmRAW) {
        ReceiveCallBack(QString::fromLatin1(received));
        return;
    }
    rxBuf_.append(received);
    // One line per reception; a second complete line waits for the next one.
    const qsizetype end = rxBuf_.indexOf(terminator_);
    if (end >= 0) {
        const qsizetype length = end + terminator_.size();
        const QString line = QString::fromLatin1(rxBuf_.left(length));
        rxBuf_.remove(0, length);
        ReceiveCallBack(line);
    }
}

bool TComPort::wantsLineEvents() const {
    return OnCTSChanged || OnDSRChanged || OnRingChanged || OnRLSDChanged;
}

void TComPort::lineEvent(const ModemChange& change) {
    if (!open_) {
        return;
    }
    if (change.cts && OnCTSChanged) {
        OnCTSChanged(!change.now.cts);
    }
    if (change.dsr && OnDSRChanged) {
        OnDSRChanged(!change.now.dsr);
    }
    if (change.rlsd && OnRLSDChanged) {
        OnRLSDChanged(!change.now.rlsd);
    }
    if (change.ring && OnRingChanged) {
        OnRingChanged(!change.now.ring);
    }
}

void TComPort::deviceFailed() {
    if (!open_) {
        return;
    }
    // A device that is gone keeps signalling; closing it is the only way not to spin.
    Close();
    if (OnError) {
        OnError();
    }
}

} // namespace orvalen::hardware
