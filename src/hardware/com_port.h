#pragma once

#include "hardware/gui_handover.h"
#include "hardware/modem_lines.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

class QSerialPort;

namespace orvalen::hardware {

class ModemWatcher;
struct ModemChange;

// The line-terminated port's own error: a port that cannot be opened, a bad terminator.
class EComError : public std::runtime_error {
public:
    explicit EComError(const QString& message)
        : std::runtime_error(message.toStdString()), text_(message) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

enum class TParity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum class TStopBit { sbONE, sbONE5, snTWO };
enum class TReceiveMode { rmRAW, rmTERM };

// Small serial port with line control and line-oriented reception. The turnstile's serial
// output opens it, pulses RTS and closes it again for every release.
//
// Create, use and destroy it on the GUI thread; every callback runs there, one at a time.
// Port is the name the club uses ("COM1"); the device-for-port function given at
// construction turns it into the device to open (unchanged when none is given).
class TComPort {
public:
    using DeviceForPort = std::function<QString(const QString& port)>;
    using Notify = std::function<void()>;
    using ReceiveProc = std::function<void(const QString& data)>;
    using StatusChanged = std::function<void(bool status)>;

    explicit TComPort(DeviceForPort deviceForPort = {}, ModemLines& lines = kernelModemLines());
    ~TComPort();

    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    // Properties; a change while open takes effect at the next Open.
    QString Port = QStringLiteral("COM1");
    quint32 Baud = 9600;
    quint8 DataBits = 8;
    TParity Parity = TParity::ptNONE;
    TStopBit StopBits = TStopBit::sbONE;
    quint32 WinQSizeIn = 8192;
    quint32 WinQSizeOut = 8192;
    TReceiveMode ReceiveMode = TReceiveMode::rmTERM;

    // "#13#10" form; throws EComError on a bad text.
    QString Terminator() const;
    void setTerminator(const QString& text);

    Notify OnPortOpen;
    Notify OnPortClose;
    ReceiveProc ReceiveCallBack;
    // Line events pass true when the line is off. They are watched only on devices with
    // modem lines, and only when one of these handlers is set at Open.
    StatusChanged OnCTSChanged;
    StatusChanged OnDSRChanged;
    StatusChanged OnRingChanged;
    StatusChanged OnRLSDChanged;
    // A line error; also called once when the device vanishes, after which the port is closed.
    Notify OnError;

    // Throws EComError "TCOMPORT : cannot open " + Port + CR + the system's text.
    void Open();
    void Close();
    bool isOpen() const { return open_; }

    void SetRTS(bool status);
    void SetDTR(bool status);
    void Send(const QString& data);

private:
    void applyLineParameters();
    void receive();
    void lineEvent(const ModemChange& change);
    void deviceFailed();
    bool wantsLineEvents() const;

    DeviceForPort deviceForPort_;
    ModemLines& lines_;
    QByteArray terminator_ = QByteArrayLiteral("\r\n");
    QByteArray rxBuf_;
    bool open_ = false;
    OneEventAtATime events_;
    std::unique_ptr<QSerialPort> serial_;
    std::unique_ptr<ModemWatcher> watcher_;
};

// Part of s before the first Separator, removed from s with the separator; all of s (then
// emptied) when there is none.
QString NextToken(QString& s, QChar Separator);

QString ParityToStr(TParity ParityMember);
QString StopbToStr(TStopBit Stopmember);
// A text that names no member gives the default (ptNONE, sbONE).
TParity StrToParity(const QString& sParity);
TStopBit StrToStopb(const QString& sStopBit);

} // namespace orvalen::hardware
