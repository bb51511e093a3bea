#pragma once

#include "hardware/modem_lines.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <time.h>
#include <vector>

namespace orvalen::test {

// A pseudo-terminal pair: the port under test opens the slave by its path, the test plays
// the device on the master side.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const QString& path() const { return path_; }

    // The device sends bytes to the port.
    void send(const QByteArray& bytes) const;
    // What the port sent to the device since the last call.
    QByteArray received() const;
    // The device goes away under the open port (a USB adapter pulled).
    void closeMaster();

protected:
    int master_ = -1;
    int reserved_ = -1; // the slave side, held open and never read
    QString path_;
};

// A reader device on a pseudo-terminal: the terminal's reader line opens path(), the test
// plays the keypad or card reader on the master side. The device end stays open here as
// well, so the test sees when its bytes have reached the port and the line outlives the
// terminal closing and reopening it.
class ReaderDevice : public PtyPair {
public:
    // Waits until the port holds exactly this many unread bytes, for at most a few seconds.
    bool waitingAtPort(int count) const;
    // The line's speed and stop bits as the terminal set them.
    unsigned speed() const;
    bool twoStopBits() const;
    bool checksParity() const;
};

// Runs the event loop of the test thread until the condition holds or the time is up.
inline bool runUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(5);
    if (!condition()) {
        loop.exec();
    }
    return condition();
}

inline void runFor(int milliseconds) {
    runUntil([] { return false; }, milliseconds);
}

// The modem lines of a real serial device, recorded: each change with its time. Line
// changes can be played in; a wait for them blocks until one is, or until interrupted.
class RecordingModemLines : public hardware::ModemLines {
public:
    enum class Line { Rts, Dtr, Break };
    struct Change {
        Line line;
        bool on;
        std::chrono::steady_clock::time_point at;
    };

    bool setRts(int, bool on) override { return record(Line::Rts, on); }
    bool setDtr(int, bool on) override { return record(Line::Dtr, on); }
    bool setBreak(int, bool on) override { return record(Line::Break, on); }

    std::optional<hardware::ModemStatus> status(int) override {
        std::lock_guard lock(mutex_);
        return status_;
    }

    Wait waitForChange(int) override {
        // Like the driver's line counters: a change played while nobody waited still ends
        // the next wait.
        std::unique_lock lock(mutex_);
        const unsigned interrupts = interrupts_;
        changed_.wait(lock, [&] { return changes_ != consumed_ || interrupts_ != interrupts; });
        if (changes_ == consumed_) {
            return Wait::Interrupted;
        }
        consumed_ = changes_;
        return Wait::Changed;
    }

    void interruptWait(pthread_t) override {
        std::lock_guard lock(mutex_);
        ++interrupts_;
        changed_.notify_all();
    }

    // The device changes its lines.
    void play(hardware::ModemStatus now) {
        std::lock_guard lock(mutex_);
        status_ = now;
        ++changes_;
        changed_.notify_all();
    }

    std::vector<Change> changes() const {
        std::lock_guard lock(mutex_);
        return log_;
    }

private:
    bool record(Line line, bool on) {
        std::lock_guard lock(mutex_);
        log_.push_back({line, on, std::chrono::steady_clock::now()});
        return true;
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Change> log_;
    hardware::ModemStatus status_;
    unsigned changes_ = 0;
    unsigned consumed_ = 0;
    unsigned interrupts_ = 0;
};

// CPU time this process has used, user and system together.
inline std::chrono::microseconds processCpuTime() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::duration_cast<std::chrono::microseconds>(
                                                  std::chrono::nanoseconds(now.tv_nsec));
}

} // namespace orvalen::test
