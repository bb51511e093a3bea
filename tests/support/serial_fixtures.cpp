#include "serial_fixtures.h"

#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <unistd.h>

namespace orvalen::test {

PtyPair::PtyPair() {
    int slave = -1;
    char name[128] = {};
    if (::openpty(&master_, &slave, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    path_ = QString::fromLocal8Bit(name);
    // The port under test is the only user of the slave side, as on a real line.
    ::close(slave);
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

void PtyPair::closeMaster() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

} // namespace orvalen::test
