#pragma once

#include <QString>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvalen::test {

// A relay address on loopback that takes no connection: its listening queue is held full,
// so the kernel drops each new handshake and a request cannot even be sent, as with a relay
// that is switched off or out of the router's reach.
class UnreachableRelay {
public:
    UnreachableRelay() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 0);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        // One connection never accepted fills a queue of length 0.
        filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        pollfd connected{filler_, POLLOUT, 0};
        ::poll(&connected, 1, 1000);
    }
    ~UnreachableRelay() {
        ::close(filler_);
        ::close(listener_);
    }
    UnreachableRelay(const UnreachableRelay&) = delete;
    UnreachableRelay& operator=(const UnreachableRelay&) = delete;

    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

private:
    int listener_ = -1;
    int filler_ = -1;
    unsigned short port_ = 0;
};

} // namespace orvalen::test
