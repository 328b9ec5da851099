#include "HostResolver.h"

#include "PendingEvents.h"

#include <netdb.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdint>

#include <functional>
#include <future>
#include <thread>

namespace {

struct AddressListDeleter {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

// Looks text up with these hints; null when the resolver has no answer.
AddressList LookUp(const QString& text, int flags) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags;
    addrinfo* list = nullptr;
    if (getaddrinfo(text.toUtf8().constData(), nullptr, &hints, &list) != 0) return nullptr;
    return AddressList(list);
}

}  // namespace

QStringList SystemHostResolver::addresses(const QString& name) {
    QStringList found;
    const AddressList list = LookUp(name, 0);
    for (const addrinfo* entry = list.get(); entry; entry = entry->ai_next) {
        char host[NI_MAXHOST];
        if (getnameinfo(entry->ai_addr, entry->ai_addrlen, host, sizeof host, nullptr, 0,
                        NI_NUMERICHOST) == 0 &&
            !found.contains(QString::fromLatin1(host)))
            found.append(QString::fromLatin1(host));
    }
    return found;
}

QString SystemHostResolver::nameOf(const QString& address) {
    const AddressList list = LookUp(address, AI_NUMERICHOST);
    if (!list) return {};
    char host[NI_MAXHOST];
    if (getnameinfo(list->ai_addr, list->ai_addrlen, host, sizeof host, nullptr, 0, NI_NAMEREQD) !=
        0)
        return {};
    return QString::fromUtf8(host);
}

namespace {

// Tells the waiting thread, from the thread that looks up, that the answer is there: an event
// counter the wait watches. Both threads hold it, the last one closes it.
class AnswerSignal {
public:
    AnswerSignal() : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~AnswerSignal() {
        if (m_fd >= 0) close(m_fd);
    }
    AnswerSignal(const AnswerSignal&) = delete;
    AnswerSignal& operator=(const AnswerSignal&) = delete;
    int fd() const { return m_fd; }
    void raise() const {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_fd, &one, sizeof one);
    }

private:
    int m_fd;
};

// Runs lookUp on a thread of its own and waits for its answer; an empty answer when the wait is
// given up or not admitted. The thread holds what it needs, so it may outlive the wait.
template <typename Answer>
Answer AskWaiting(std::function<Answer()> lookUp) {
    PendingEvents::Wait wait;
    if (!wait.admitted()) return {};
    const auto answered = std::make_shared<AnswerSignal>();
    if (answered->fd() < 0) return {};
    std::packaged_task<Answer()> task(std::move(lookUp));
    std::future<Answer> answer = task.get_future();
    std::thread([task = std::move(task), answered]() mutable {
        task();
        answered->raise();
    }).detach();
    // The counter stays readable once raised, so an answer that came before the notifier was
    // made is seen as soon as the wait begins.
    QSocketNotifier notifier(answered->fd(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&wait] { wait.finish(); });
    if (!wait.run()) return {};
    return answer.get();
}

}  // namespace

QStringList WaitingHostResolver::addresses(const QString& name) {
    return AskWaiting<QStringList>(
        [blocking = m_blocking, name] { return blocking->addresses(name); });
}

QString WaitingHostResolver::nameOf(const QString& address) {
    return AskWaiting<QString>(
        [blocking = m_blocking, address] { return blocking->nameOf(address); });
}
