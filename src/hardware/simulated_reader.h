#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace orvalen::hardware {

// A Tec12 keypad or card reader stand-in on a pseudo-terminal: the terminal opens the
// device end as its reader line, and what is sent here arrives there as the device's bytes.
// Keys go one at a time, as a person types them; a card frame goes at once, as a reader
// sends it, after the keys before it. What the terminal sends back (the USB keypad's on and off
// commands) is taken off the line and reported.
//
// Use it on a thread with an event loop.
class SimulatedReader : public QObject {
public:
    static constexpr int kKeyIntervalMs = 150;

    SimulatedReader();
    ~SimulatedReader() override;

    // Creates the pseudo-terminal pair; empty on success, otherwise why not.
    QString open();
    // The device the terminal opens (/dev/pts/N).
    const QString& devicePath() const { return devicePath_; }

    // Keys and frames leave in order, one key or frame every kKeyIntervalMs.
    void typeKeys(const QByteArray& keys);
    void sendFrame(const QByteArray& frame);

    // Each piece as it leaves for the terminal, and each piece the terminal sent.
    std::function<void(const QByteArray&)> onSent;
    std::function<void(const QByteArray&)> onReceived;

private:
    void queue(const QByteArray& piece);
    void sendNext();
    void write(const QByteArray& bytes);
    void takeWhatTheTerminalSent();

    int master_ = -1;
    // The device end stays open here too, so that the line lives on while the terminal
    // closes and reopens it.
    int device_ = -1;
    QString devicePath_;
    QList<QByteArray> pending_;
    QTimer pacing_;
    std::unique_ptr<QSocketNotifier> fromTerminal_;
};

} // namespace orvalen::hardware
