#pragma once

#include "hardware/comm.h"
#include "hardware/tec12_keypad.h"
#include "store/error_log.h"
#include "store/local_settings.h"
#include "terminal/services/devices.h"

namespace orvalen::terminal {

// The reader line on a real serial port (the event-driven port), with the Tec12 USB
// keypad's commands on the same port. Port names map to devices through terminal.ini.
// A port that cannot be opened, or a device that vanishes, is written to the exception log
// with what to do about it; the terminal goes on without its reader meanwhile.
//
// Create, call and destroy it on the GUI thread.
class SerialReaderLine : public ReaderLine {
public:
    SerialReaderLine(store::LocalSettings local, store::ErrorLog& log,
                     hardware::ModemLines& lines = hardware::kernelModemLines());
    ~SerialReaderLine() override;

    void configure(const QString& portName, const store::SerialLineParameters& line) override;
    void setBreak(bool on) override;
    void open() override;
    void close() override;
    int read(char* buffer, int count) override;
    int bytesWaiting() override;
    void setRxCharHandler(RxChar handler) override;
    bool openKeypad(int port, int baudRate, int dataBits) override;
    void sendKeypad(int port, int value) override;
    void closeKeypad(int port) override;

private:
    QString deviceAdvice(const QString& portName) const;

    store::LocalSettings local_;
    store::ErrorLog& log_;
    QString portName_;
    hardware::comm::TComm comm_;
    hardware::Tec12Keypad keypad_;
    bool openFailureReported_ = false; // one line per failure, not one per reset
};

// The reader's line parameters set on the port.
void applyLineParameters(hardware::comm::TComm& comm, const store::SerialLineParameters& line);

} // namespace orvalen::terminal
