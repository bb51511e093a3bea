#pragma once

#include "biometrics/digital_persona.h"
#include "store/result.h"
#include "store/settings.h"

#include <QString>
#include <functional>
#include <optional>

namespace orvalen::terminal {

// The serial reader line as the screen drives it (Comm1): its break state holds the reader
// idle while an entry is decided (setting it also discards what waits on the line). The
// Tec12 USB keypad's commands go out on the same port, so the line is closed around them.
class ReaderLine {
public:
    // OnRxChar: bytes are waiting (their number); runs on the GUI thread.
    using RxChar = std::function<void(int count)>;

    virtual ~ReaderLine() = default;
    // The port as Sacvar.PINPAD names it ("COM3") and its line parameters, for the next open.
    virtual void configure(const QString& portName, const store::SerialLineParameters& line) = 0;
    virtual void setBreak(bool on) = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    // Up to count of the bytes waiting; -1 when the line could not deliver (it is closed).
    virtual int read(char* buffer, int count) = 0;
    // The bytes waiting now, which a hold may have thrown away since the event; 0 or less
    // when there are none (-1: the line is closed).
    virtual int bytesWaiting() = 0;
    // An empty handler removes it: nothing more is heard from the line.
    virtual void setRxCharHandler(RxChar handler) = 0;

    // The Tec12 USB keypad library: Open_Comm(port, baud, data bits, 0, 0, 0), send_data_rs,
    // Close_Comm. The port is the number in the port's name (3 for COM3).
    virtual bool openKeypad(int port, int baudRate, int dataBits) = 0;
    virtual void sendKeypad(int port, int value) = 0;
    virtual void closeKeypad(int port) = 0;
};

// Which of the two fingerprint SDKs Sacvar2.Tipo_Leitor chooses.
enum class ReaderKind { NBioBSP, DigitalPersona };

// What the start-up found: the reader ready, no reader plugged in (the terminal serves
// without fingerprints), no fingerprint library, or a database that cannot give the stored
// fingers.
struct ReaderPreparation {
    enum class Outcome { Ready, NoReader, NoLibrary, DatabaseError };
    Outcome outcome = Outcome::Ready;
    QString why;
};

// The fingerprint readers as the screen drives them: the NBioBSP device with its poll
// timer, and the DigitalPersona capture with the stored fingers it is compared with.
class FingerprintReader {
public:
    virtual ~FingerprintReader() = default;
    // Start-up: makes the SDK's objects and finds the reader. Anything but Ready leaves no
    // SDK objects behind.
    virtual ReaderPreparation prepare(ReaderKind kind) = 0;
    virtual void release() = 0;     // closing: the SDK's objects go
    virtual void openDevice() = 0;  // NBioBSP device "open" (255)
    virtual void closeDevice() = 0; // NBioBSP device "close"
    virtual void startPoll() = 0;   // TimerSFinger
    virtual void stopPoll() = 0;
    virtual bool CheckFinger() = 0;  // NBioBSP: a finger is on the sensor
    virtual void startCapture() = 0; // DigitalPersona StartCapture
    virtual void stopCapture() = 0;  // DigitalPersona StopCapture
    // DigitalPersona: the Matricula of the first stored finger, in database order, that
    // verifies against the feature set ("091" + seven characters for an employee).
    virtual store::Result<std::optional<QString>>
    findStoredFinger(const biometrics::dpfp::DPFPFeatureSet& featureSet) = 0;
    // A finger was enrolled or replaced: the stored fingers kept in memory are read again.
    virtual void templatesChanged() = 0;
};

// The devices of one terminal. A terminal without a device gets the idle ones.
struct Devices {
    ReaderLine& readerLine;
    FingerprintReader& fingerprint;
};

// Devices that are not fitted: every call does nothing.
class NoReaderLine : public ReaderLine {
public:
    void configure(const QString&, const store::SerialLineParameters&) override {}
    void setBreak(bool) override {}
    void open() override {}
    void close() override {}
    int read(char*, int) override { return -1; }
    int bytesWaiting() override { return -1; }
    void setRxCharHandler(RxChar) override {}
    bool openKeypad(int, int, int) override { return false; }
    void sendKeypad(int, int) override {}
    void closeKeypad(int) override {}
};

class NoFingerprintReader : public FingerprintReader {
public:
    ReaderPreparation prepare(ReaderKind) override { return {}; }
    void release() override {}
    void openDevice() override {}
    void closeDevice() override {}
    void startPoll() override {}
    void stopPoll() override {}
    bool CheckFinger() override { return false; }
    void startCapture() override {}
    void stopCapture() override {}
    store::Result<std::optional<QString>>
    findStoredFinger(const biometrics::dpfp::DPFPFeatureSet&) override {
        return std::optional<QString>();
    }
    void templatesChanged() override {}
};

} // namespace orvalen::terminal
