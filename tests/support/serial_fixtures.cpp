#include "support/serial_fixtures.h"

#include <chrono>
#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace orvalen::test {

PtyPair::PtyPair() {
    char name[128] = {};
    if (::openpty(&master_, &reserved_, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    path_ = QString::fromLocal8Bit(name);
    // The slave stays open, never read, so that its number is not handed to another test
    // process while a port here may still open it or still holds its lock file. The port
    // under test is the only reader of the slave side, as on a real line.
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

void PtyPair::send(const QByteArray& bytes) const {
    if (::write(master_, bytes.constData(), bytes.size()) != bytes.size()) {
        throw std::runtime_error("write to the pty master failed");
    }
}

QByteArray PtyPair::received() const {
    QByteArray all;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) {
            return all;
        }
        all.append(buffer, n);
    }
}

PtyPair::~PtyPair() {
    closeMaster();
    ::close(reserved_);
}

void PtyPair::closeMaster() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

bool ReaderDevice::waitingAtPort(int count) const {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int waiting = -1;
    while (std::chrono::steady_clock::now() < giveUp) {
        if (::ioctl(reserved_, FIONREAD, &waiting) == 0 && waiting == count) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

} // namespace orvalen::test
