// A port on 127.0.0.1 that takes connections into its queue and never accepts them: a request
// there waits for an answer that never comes.
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

class NeverAccepted {
public:
    NeverAccepted() {
        sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};  // any free port
        socklen_t size = sizeof at;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&at), size) == 0 && listen(fd_, 4) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&at), &size) == 0)
            port_ = ntohs(at.sin_port);
    }
    ~NeverAccepted() { close(fd_); }
    NeverAccepted(const NeverAccepted&) = delete;
    NeverAccepted& operator=(const NeverAccepted&) = delete;
    int port() const { return port_; }  // 0 when it could not listen
    // A connection waits in the queue.
    bool knockedAt() const {
        pollfd ready{.fd = fd_, .events = POLLIN, .revents = 0};
        return poll(&ready, 1, 0) == 1;
    }

private:
    int fd_ = socket(AF_INET, SOCK_STREAM, 0);
    int port_ = 0;
};
