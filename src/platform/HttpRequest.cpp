// HttpRequest on libcurl: one request at a time on an easy handle kept from request to request,
// and one share object so that connections, DNS answers and TLS sessions are reused.
#include "HttpRequest.h"

#include "PendingEvents.h"
#include "TextCodec.h"

#include <curl/curl.h>

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

// libcurl's global state and the share object, set up once for the life of the process.
class CurlRuntime {
public:
    static CurlRuntime& instance() {
        static CurlRuntime runtime;
        return runtime;
    }
    CURLSH* share() const { return m_share; }
    CURLM* multi() const { return m_multi; }

    // An easy handle for one request, its options at their defaults: the one kept from the
    // request before when there is one. Making a handle, and the transfer state libcurl
    // builds around it on its first transfer, cost more per request than the request itself
    // to a near server; the program makes one request at a time, so one handle is kept.
    EasyHandle takeHandle() {
        if (m_idle) {
            curl_easy_reset(m_idle.get());
            return std::move(m_idle);
        }
        return EasyHandle(curl_easy_init());
    }
    void giveBack(EasyHandle handle) { m_idle = std::move(handle); }

private:
    CurlRuntime() {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        m_share = curl_share_init();
        // Single-threaded program: no lock functions are needed.
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
        m_multi = curl_multi_init();
    }
    ~CurlRuntime() {
        m_idle.reset();
        curl_multi_cleanup(m_multi);
        curl_share_cleanup(m_share);
        curl_global_cleanup();
    }
    CURLSH* m_share = nullptr;
    CURLM* m_multi = nullptr;
    EasyHandle m_idle;
};

HttpRequest::Limits g_limits;
QByteArray g_userAgent;

// Drives the one transfer of the multi handle from the thread's event loop: a notifier for each
// socket libcurl watches and a timer for libcurl's own time-outs wake the waiting thread, as do
// the window's events. This is what curl_easy_perform does, except that the thread's events run
// meanwhile and the transfer is given up the moment the wait is.
class EventDrivenTransfer {
public:
    EventDrivenTransfer(CURLM* multi, CURL* curl) : m_multi(multi), m_curl(curl) {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &EventDrivenTransfer::onSocket);
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &EventDrivenTransfer::onTimer);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    }
    // Removing the handle (which aborts an unfinished transfer and closes its connection) tells
    // of the sockets it leaves; only then are the callbacks let go of.
    ~EventDrivenTransfer() {
        if (m_added) curl_multi_remove_handle(m_multi, m_curl);
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, nullptr);
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, nullptr);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, nullptr);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, nullptr);
    }
    EventDrivenTransfer(const EventDrivenTransfer&) = delete;
    EventDrivenTransfer& operator=(const EventDrivenTransfer&) = delete;

    CURLcode perform(PendingEvents::Wait& wait) {
        m_wait = &wait;
        m_added = curl_multi_add_handle(m_multi, m_curl) == CURLM_OK;
        if (!m_added) return CURLE_FAILED_INIT;
        if (!wait.run()) return m_result.value_or(CURLE_ABORTED_BY_CALLBACK);
        return m_result.value_or(CURLE_FAILED_INIT);
    }

private:
    struct Watch {
        std::unique_ptr<QSocketNotifier> read, write;
    };

    static int onSocket(CURL*, curl_socket_t socket, int what, void* self, void*) {
        static_cast<EventDrivenTransfer*>(self)->watch(socket, what);
        return 0;
    }
    static int onTimer(CURLM*, long timeoutMs, void* self) {
        QTimer& timer = static_cast<EventDrivenTransfer*>(self)->m_timer;
        if (timeoutMs < 0)
            timer.stop();
        else
            timer.start(static_cast<int>(std::min<long>(timeoutMs, INT_MAX)));
        return 0;
    }

    void watch(curl_socket_t socket, int what) {
        if (what == CURL_POLL_REMOVE) {
            const auto found = m_watches.find(socket);
            if (found == m_watches.end()) return;
            // Possibly called from the notifier's own signal: put away, deleted with the transfer.
            for (std::unique_ptr<QSocketNotifier>* notifier :
                 {&found->second.read, &found->second.write}) {
                if (!*notifier) continue;
                (*notifier)->setEnabled(false);
                m_retired.push_back(std::move(*notifier));
            }
            m_watches.erase(found);
            return;
        }
        Watch& sockets = m_watches[socket];
        const bool in = what == CURL_POLL_IN || what == CURL_POLL_INOUT;
        const bool out = what == CURL_POLL_OUT || what == CURL_POLL_INOUT;
        notify(sockets.read, socket, QSocketNotifier::Read, in, CURL_CSELECT_IN);
        notify(sockets.write, socket, QSocketNotifier::Write, out, CURL_CSELECT_OUT);
    }

    void notify(std::unique_ptr<QSocketNotifier>& notifier, curl_socket_t socket,
                QSocketNotifier::Type type, bool wanted, int event) {
        if (!wanted) {
            if (notifier) notifier->setEnabled(false);
            return;
        }
        if (!notifier) {
            notifier = std::make_unique<QSocketNotifier>(socket, type);
            QSocketNotifier* const self = notifier.get();
            QObject::connect(self, &QSocketNotifier::activated, [this, self, socket, event] {
                // One pass of the dispatcher may still bring a notifier disabled within it.
                if (self->isEnabled()) act(socket, event);
            });
        }
        notifier->setEnabled(true);
    }

    void act(curl_socket_t socket, int events) {
        if (m_result) return;
        int running = 0;
        if (curl_multi_socket_action(m_multi, socket, events, &running) != CURLM_OK) {
            m_result = CURLE_FAILED_INIT;  // the multi handle failed before the transfer ended
            m_wait->finish();
            return;
        }
        int queued = 0;
        while (const CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == m_curl) {
                m_result = message->data.result;
                m_wait->finish();
            }
        }
    }

    CURLM* const m_multi;
    CURL* const m_curl;
    PendingEvents::Wait* m_wait = nullptr;
    bool m_added = false;
    std::optional<CURLcode> m_result;
    QTimer m_timer;
    std::map<curl_socket_t, Watch> m_watches;
    std::vector<std::unique_ptr<QSocketNotifier>> m_retired;
};

// Sets the options of one request and remembers whether libcurl refused any. Every option here
// either keeps a request safe (the schemes, the redirect rule, the time-outs, the size cap) or
// makes it the request asked for, and an option libcurl refuses keeps its default: no scheme
// rule, no time-out, the body written to standard output. A request with a refused option is
// therefore not sent at all; the first refusal of the process is reported on standard error.
bool g_optionRefusalReported = false;
struct OptionSetter {
    CURL* curl;
    bool refused = false;

    template <typename Value>
    void operator()(CURLoption option, Value value) {
        const CURLcode result = curl_easy_setopt(curl, option, value);
        if (result == CURLE_OK) return;
        if (!std::exchange(g_optionRefusalReported, true))
            qWarning("libcurl refused option %d (%s); requests are not sent", int(option),
                     curl_easy_strerror(result));
        refused = true;
    }
};

}  // namespace

struct HttpRequest::Impl {
    QByteArray url;
    QByteArray body;
    QByteArray headers;
    QString text;
    int status = 0;
    bool completed = false;
    bool overflow = false;
    qint64 bodyLimit = -1;  // the caller's, for this request only

    // The longest answer this request takes: the caller's bound when it set one, never more
    // than the cap of every request.
    qint64 longest() const {
        return bodyLimit >= 0 ? std::min(bodyLimit, g_limits.maxBodyBytes) : g_limits.maxBodyBytes;
    }

    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        auto* impl = static_cast<Impl*>(self);
        const size_t bytes = size * count;
        if (impl->body.size() + static_cast<qint64>(bytes) > impl->longest()) {
            impl->overflow = true;
            return 0;  // makes libcurl abort the transfer
        }
        impl->body.append(data, static_cast<qsizetype>(bytes));
        return bytes;
    }

    static size_t onHeader(char* data, size_t size, size_t count, void* self) {
        auto* impl = static_cast<Impl*>(self);
        const size_t bytes = size * count;
        const QByteArray line(data, static_cast<qsizetype>(bytes));
        // A status line starts a new answer (after a redirect or a 100 Continue): keep only
        // the header of the last one, without its status line.
        if (line.startsWith("HTTP/"))
            impl->headers.clear();
        else
            impl->headers.append(line);
        return bytes;
    }
};

HttpRequest::Limits HttpRequest::limits() {
    return g_limits;
}
void HttpRequest::setLimits(const Limits& limits) {
    g_limits = limits;
}
QByteArray HttpRequest::userAgent() {
    return g_userAgent;
}
void HttpRequest::setUserAgent(const QByteArray& agent) {
    g_userAgent = agent;
}

HttpRequest::HttpRequest() : d(std::make_unique<Impl>()) {
    CurlRuntime::instance();
}
HttpRequest::~HttpRequest() = default;

void HttpRequest::open(const QString& method, const QString& url) {
    Q_UNUSED(method);  // the program only ever asks for GET
    d->url = url.toUtf8();
    d->body.clear();
    d->headers.clear();
    d->text.clear();
    d->status = 0;
    d->completed = false;
    d->overflow = false;
    d->bodyLimit = -1;
}

void HttpRequest::setBodyLimit(qint64 bytes) {
    d->bodyLimit = bytes;
}

void HttpRequest::releaseAnswer() {
    d->body.clear();
    d->text.clear();
}

void HttpRequest::send() {
    // Checked first: the one easy handle and the multi handle belong to the transfer waited for.
    PendingEvents::Wait wait;
    if (!wait.admitted()) return;
    CurlRuntime& runtime = CurlRuntime::instance();
    EasyHandle handle = runtime.takeHandle();
    if (!handle) return;
    // Handed back however the request ends; reset before its next use.
    const auto giveBack = qScopeGuard([&] { runtime.giveBack(std::move(handle)); });
    CURL* curl = handle.get();
    OptionSetter set{curl};
    set(CURLOPT_SHARE, runtime.share());
    set(CURLOPT_URL, d->url.constData());
    set(CURLOPT_HTTPGET, 1L);
    // Pages and playlists come over the web and nothing else: libcurl would otherwise read a
    // file:// address, or follow a redirect to ftp:// and pass its 226 off as success.
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    set(CURLOPT_FOLLOWLOCATION, 1L);
    set(CURLOPT_MAXREDIRS, 10L);
    set(CURLOPT_ACCEPT_ENCODING, "");  // every encoding libcurl knows
    set(CURLOPT_NOSIGNAL, 1L);
    if (!g_userAgent.isEmpty()) set(CURLOPT_USERAGENT, g_userAgent.constData());
    set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(g_limits.connectTimeout.count()));
    set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(g_limits.stallTimeout.count()));
    set(CURLOPT_TIMEOUT_MS, static_cast<long>(g_limits.totalTimeout.count()));
    // An answer that says beforehand it is too long is not read at all; one that does not say
    // is cut off by the body callback as soon as it passes the bound.
    set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(d->longest()));
    set(CURLOPT_WRITEFUNCTION, &Impl::onBody);  // enforces the size cap
    set(CURLOPT_WRITEDATA, d.get());
    set(CURLOPT_HEADERFUNCTION, &Impl::onHeader);
    set(CURLOPT_HEADERDATA, d.get());
    if (set.refused) return;  // nothing was sent: status 0, not completed, no text

    const CURLcode result = EventDrivenTransfer(runtime.multi(), curl).perform(wait);
    if (result == CURLE_COULDNT_RESOLVE_HOST) {
        d->status = StatusHostNotResolved;
        d->body.clear();
        return;
    }
    if (result != CURLE_OK || d->overflow) {
        d->status = 0;
        d->body.clear();
        d->headers.clear();
        return;
    }
    long code = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
    d->status = static_cast<int>(code);
    d->completed = true;

    QByteArray charset;
    const char* contentType = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType) {
        static const QRegularExpression pattern(QStringLiteral("charset\\s*=\\s*\"?([^\";\\s]+)"),
                                                QRegularExpression::CaseInsensitiveOption);
        const auto match = pattern.match(QString::fromLatin1(contentType));
        if (match.hasMatch()) charset = match.captured(1).toLatin1();
    }
    d->text = TextCodec::decode(d->body, charset);
}

int HttpRequest::status() const {
    return d->status;
}
bool HttpRequest::completed() const {
    return d->completed;
}
QString HttpRequest::responseText() const {
    return d->text;
}
QByteArray HttpRequest::responseBody() const {
    return d->body;
}
QString HttpRequest::getAllResponseHeaders() const {
    return QString::fromLatin1(d->headers);
}
