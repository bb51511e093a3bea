#include "hardware/simulated_reader.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace orvalen::hardware {

SimulatedReader::SimulatedReader() {
    pacing_.setInterval(kKeyIntervalMs);
    connect(&pacing_, &QTimer::timeout, this, &SimulatedReader::sendNext);
}

SimulatedReader::~SimulatedReader() {
    fromTerminal_.reset();
    if (device_ >= 0) {
        ::close(device_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

QString SimulatedReader::open() {
    char name[128] = {};
    if (::openpty(&master_, &device_, name, nullptr, nullptr) != 0) {
        return QStringLiteral("cannot create a pseudo-terminal: %1")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    devicePath_ = QString::fromLocal8Bit(name);
    // A serial device passes every byte as it is; the terminal sets its own line anyway.
    struct termios raw {};
    if (::tcgetattr(device_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(device_, TCSANOW, &raw);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    fromTerminal_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(fromTerminal_.get(), &QSocketNotifier::activated, this,
            &SimulatedReader::takeWhatTheTerminalSent);
    return {};
}

void SimulatedReader::typeKeys(const QByteArray& keys) {
    for (const char key : keys) {
        queue(QByteArray(1, key));
    }
}

void SimulatedReader::sendFrame(const QByteArray& frame) {
    queue(frame);
}

void SimulatedReader::queue(const QByteArray& piece) {
    pending_.append(piece);
    if (!pacing_.isActive()) {
        sendNext();
        pacing_.start();
    }
}

void SimulatedReader::sendNext() {
    if (pending_.isEmpty()) {
        pacing_.stop();
        return;
    }
    write(pending_.takeFirst());
}

void SimulatedReader::write(const QByteArray& bytes) {
    if (master_ < 0) {
        return;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            return; // the line is full: a device would lose the bytes too
        }
        done += n;
    }
    if (onSent) {
        onSent(bytes);
    }
}

void SimulatedReader::takeWhatTheTerminalSent() {
    QByteArray received;
    char chunk[256];
    for (;;) {
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n <= 0) {
            break;
        }
        received.append(chunk, n);
    }
    if (!received.isEmpty() && onReceived) {
        onReceived(received);
    }
}

} // namespace orvalen::hardware
