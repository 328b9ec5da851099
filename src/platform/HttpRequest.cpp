// HttpRequest on libcurl: one request at a time on an easy handle kept from request to request,
// and one share object so that connections, DNS answers and TLS sessions are reused.
#include "HttpRequest.h"

#include "PendingEvents.h"
#include "TextCodec.h"

#include <curl/curl.h>

#include <QRegularExpression>
#include <QScopeGuard>
#include <utility>

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

using PendingEvents::kHookInterval;

// Runs one transfer on the multi handle, letting the wait go on or give up every kHookInterval
// while the answer is awaited. This is what curl_easy_perform does, except that the thread's
// events run meanwhile and the transfer can be abandoned between two polls.
CURLcode PerformWaiting(CURLM* multi, CURL* curl, PendingEvents::Wait& wait) {
    if (curl_multi_add_handle(multi, curl) != CURLM_OK) return CURLE_FAILED_INIT;
    // Removing the handle of an unfinished transfer aborts it and closes its connection.
    const auto remove = qScopeGuard([&] { curl_multi_remove_handle(multi, curl); });
    using Clock = std::chrono::steady_clock;
    auto hookDue = Clock::now() + kHookInterval;
    int running = 1;
    while (curl_multi_perform(multi, &running) == CURLM_OK && running > 0) {
        if (curl_multi_poll(multi, nullptr, 0, kHookInterval.count(), nullptr) != CURLM_OK) break;
        if (Clock::now() >= hookDue) {
            if (!wait.goOn()) return CURLE_ABORTED_BY_CALLBACK;
            hookDue = Clock::now() + kHookInterval;
        }
    }
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi, &queued))
        if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
            return message->data.result;
    return CURLE_FAILED_INIT;  // the multi handle failed before the transfer ended
}

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

    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        auto* impl = static_cast<Impl*>(self);
        const size_t bytes = size * count;
        if (impl->body.size() + static_cast<qint64>(bytes) > g_limits.maxBodyBytes) {
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
    set(CURLOPT_WRITEFUNCTION, &Impl::onBody);  // enforces the size cap
    set(CURLOPT_WRITEDATA, d.get());
    set(CURLOPT_HEADERFUNCTION, &Impl::onHeader);
    set(CURLOPT_HEADERDATA, d.get());
    if (set.refused) return;  // nothing was sent: status 0, not completed, no text

    const CURLcode result = PerformWaiting(runtime.multi(), curl, wait);
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
