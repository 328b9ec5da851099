#include "HostResolver.h"

#include "PendingEvents.h"

#include <netdb.h>
#include <sys/socket.h>

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

using PendingEvents::kHookInterval;

// Runs lookUp on a thread of its own and waits for its answer; an empty answer when the wait is
// given up or not admitted. The thread holds what it needs, so it may outlive the wait.
template <typename Answer>
Answer AskWaiting(std::function<Answer()> lookUp) {
    PendingEvents::Wait wait;
    if (!wait.admitted()) return {};
    std::packaged_task<Answer()> task(std::move(lookUp));
    std::future<Answer> answer = task.get_future();
    std::thread(std::move(task)).detach();
    while (answer.wait_for(kHookInterval) != std::future_status::ready)
        if (!wait.goOn()) return {};
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
