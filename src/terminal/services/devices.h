#pragma once

#include <QString>

namespace orvalen::terminal {

// The serial reader line as the screen drives it: its break state holds the reader idle
// while an entry is decided (setting it also discards what waits on the line).
class ReaderLine {
public:
    virtual ~ReaderLine() = default;
    virtual void setBreak(bool on) = 0;
    virtual void open() = 0;
    virtual void close() = 0;
};

// The fingerprint readers as the screen drives them: the NBioBSP device with its poll
// timer, and the DigitalPersona capture.
class FingerprintReader {
public:
    virtual ~FingerprintReader() = default;
    virtual void openDevice() = 0;  // NBioBSP device "open" (255)
    virtual void closeDevice() = 0; // NBioBSP device "close"
    virtual void startPoll() = 0;   // TimerSFinger
    virtual void stopPoll() = 0;
    virtual void startCapture() = 0; // DigitalPersona StartCapture
    virtual void stopCapture() = 0;  // DigitalPersona StopCapture
};

// The turnstile output the settings choose; one pulse of the given length per release.
class TurnstileOutput {
public:
    virtual ~TurnstileOutput() = default;
    virtual void pulse(int pulseMilliseconds) = 0;
};

// The devices of one terminal. A terminal without a device gets the idle ones.
struct Devices {
    ReaderLine& readerLine;
    FingerprintReader& fingerprint;
    TurnstileOutput& turnstile;
};

// Devices that are not fitted: every call does nothing.
class NoReaderLine : public ReaderLine {
public:
    void setBreak(bool) override {}
    void open() override {}
    void close() override {}
};

class NoFingerprintReader : public FingerprintReader {
public:
    void openDevice() override {}
    void closeDevice() override {}
    void startPoll() override {}
    void stopPoll() override {}
    void startCapture() override {}
    void stopCapture() override {}
};

class NoTurnstileOutput : public TurnstileOutput {
public:
    void pulse(int) override {}
};

} // namespace orvalen::terminal
