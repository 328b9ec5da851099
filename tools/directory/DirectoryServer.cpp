#include "DirectoryServer.h"

#include "PageWriter.h"
#include "StationJson.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QMap>
#include <QRegularExpression>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace {

constexpr char kHtml[] = "text/html; charset=utf-8";
constexpr char kPls[] = "audio/x-scpls";
constexpr char kJson[] = "application/json; charset=utf-8";
// Entries written per piece of a page that is sent while it is made.
constexpr int kEntriesPerPiece = 200;

// What a request is answered with: a status, a type and a body, which may go on in pieces
// that 'more' hands out one at a time (an empty piece ends it).
struct Reply {
    int status = 200;
    std::string contentType = kHtml;
    QByteArray body;
    std::function<QByteArray()> more;
};

QByteArray reasonOf(int status) {
    switch (status) {
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 502:
            return "Bad Gateway";
        case 503:
            return "Service Unavailable";
        default:
            return "Error";
    }
}

Reply errorReply(int status) {
    const QByteArray heading = QByteArray::number(status) + " " + reasonOf(status);
    Reply reply;
    reply.status = status;
    reply.body = "<html>\n<head><title>" + heading + "</title></head>\n<body>\n<h1>" + heading +
                 "</h1>\n<p>The directory cannot answer this request.</p>\n</body>\n</html>\n";
    return reply;
}

// The value of one key of a raw query ("" when absent).
QByteArray queryValue(const QByteArray& rawQuery, const QByteArray& key) {
    QByteArray value;
    for (const QByteArray& piece : rawQuery.split('&')) {
        if (piece.startsWith(key + "=")) value = piece.mid(key.size() + 1);
    }
    return value;
}

// A playlist request names its station by the first number in its id, so an id that a page
// carried with extra text around it still finds its station.
int stationIdOf(const QByteArray& value) {
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    const QRegularExpressionMatch match = digits.match(QString::fromLatin1(value));
    bool ok = false;
    const int id = match.hasMatch() ? match.captured().toInt(&ok) : 0;
    return ok ? id : -1;
}

// Shuts down every connection that clients made to 'port' in this process. A connection that
// idles between requests holds its server thread for the whole keep-alive time, so stopping
// would otherwise wait for it. Only sockets whose own end is 'port' and that have a peer are
// touched: the listening socket is already closed, and a client's socket has its own port.
void shutDownConnectionsTo(int port) {
    DIR* folder = opendir("/proc/self/fd");
    if (!folder) return;
    while (const dirent* item = readdir(folder)) {
        bool ok = false;
        const int fd = QByteArray(item->d_name).toInt(&ok);
        if (!ok || fd == dirfd(folder)) continue;
        sockaddr_in self{}, peer{};
        socklen_t selfSize = sizeof self, peerSize = sizeof peer;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&self), &selfSize) != 0) continue;
        if (self.sin_family != AF_INET || ntohs(self.sin_port) != port) continue;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0) continue;
        shutdown(fd, SHUT_RDWR);
    }
    closedir(folder);
}

// The rest of a long answer, handed out a piece at a time: entries 1 to 'total' (those of 'pool'
// over and over; none when it is empty), then 'foot'.
std::function<QByteArray()> piecesOf(
    QList<CatalogueStation> pool, int total,
    std::function<QByteArray(const CatalogueStation&, int position)> entry, QByteArray foot) {
    if (pool.isEmpty()) total = 0;
    auto next = std::make_shared<int>(1);
    return [pool = std::move(pool), total, entry = std::move(entry), foot = std::move(foot),
            next]() -> QByteArray {
        if (*next > total + 1) return {};
        if (*next == total + 1) {
            ++*next;
            return foot;
        }
        QByteArray piece;
        for (int n = 0; n < kEntriesPerPiece && *next <= total; ++n, ++*next) {
            piece += entry(pool[(*next - 1) % pool.size()], *next);
        }
        return piece;
    };
}

QByteArray fillerPiece() {
    static const QByteArray piece = [] {
        QByteArray text;
        while (text.size() < 64 * 1024) text += "<!-- the directory has more to say -->\n";
        return text;
    }();
    return piece;
}

}  // namespace

struct DirectoryServer::Impl {
    explicit Impl(CatalogueOptions options)
        : revisions{std::make_shared<const Catalogue>(options)} {}

    // Every catalogue the server has listed, the one it lists now last: a catalogue handed out
    // stays valid for the life of the server.
    QList<std::shared_ptr<const Catalogue>> revisions;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    std::atomic<int> port{0};
    std::atomic<bool> stopping{false};
    std::mutex waitMutex;
    std::condition_variable wake;

    mutable std::mutex mutex;  // guards revisions and the four below
    LineEnds lineEnds = LineEnds::Lf;
    QMap<QByteArray, Misbehaviour> misbehaviours;
    QStringList log;
    std::function<void(const QString&)> listener;  // set before the server starts

    QString hostPort() const { return QStringLiteral("127.0.0.1:%1").arg(port.load()); }

    std::shared_ptr<const Catalogue> current() const {
        std::lock_guard lock(mutex);
        return revisions.last();
    }

    Misbehaviour misbehaviourFor(const std::string& target, LineEnds* ends) const {
        std::lock_guard lock(mutex);
        *ends = lineEnds;
        Misbehaviour found;
        qsizetype longest = -1;
        for (auto it = misbehaviours.cbegin(); it != misbehaviours.cend(); ++it) {
            if (it.key().size() > longest &&
                std::string_view(target).starts_with(it.key().toStdString())) {
                found = it.value();
                longest = it.key().size();
            }
        }
        if (found.lineEnds) *ends = *found.lineEnds;
        return found;
    }

    // Waits, unless the server stops first; false when it did.
    bool pause(int ms) {
        std::unique_lock lock(waitMutex);
        return !wake.wait_for(lock, std::chrono::milliseconds(ms),
                              [this] { return stopping.load(); });
    }

    Reply pageReply(PageLayout layout, const QByteArray& rawQuery,
                    const Misbehaviour& misbehaviour) {
        const DirectoryQuery query = DirectoryQuery::fromRawQuery(rawQuery);
        const std::shared_ptr<const Catalogue> catalogue = current();
        const QList<CatalogueStation> matches = catalogue->matching(query);
        auto writer = std::make_shared<PageWriter>(layout, query, hostPort(), matches.size());
        Reply reply;
        reply.body = writer->head();
        if (misbehaviour.entryCount <= 0) {
            const QList<CatalogueStation> page = matches.mid(query.startAt, query.numResult);
            for (int i = 0; i < page.size(); ++i) {
                reply.body += writer->entry(page[i], i + 1, EntryLook::of(misbehaviour, i + 1));
            }
            reply.body += writer->foot();
            return reply;
        }
        // A long page is made while it is sent.
        reply.more = piecesOf(
            matches.isEmpty() ? catalogue->stations() : matches, misbehaviour.entryCount,
            [writer, misbehaviour](const CatalogueStation& station, int position) {
                return writer->entry(station, position, EntryLook::of(misbehaviour, position));
            },
            writer->foot());
        return reply;
    }

    Reply stationsReply(const QByteArray& rawQuery, const Misbehaviour& misbehaviour) const {
        Reply reply;
        reply.contentType = kJson;
        if (misbehaviour.jsonShape == JsonShape::NotJson) {
            reply.contentType = kHtml;
            reply.body = "<html><body><p>The directory is busy.</p></body></html>\n";
            return reply;
        }
        if (misbehaviour.jsonShape == JsonShape::NestedArrays) {
            const int depth = qMax(1, misbehaviour.nestingDepth);
            reply.body = QByteArray(depth, '[') + QByteArray(depth, ']');
            return reply;
        }
        const StationSearch search = StationSearch::fromRawQuery(rawQuery);
        const std::shared_ptr<const Catalogue> catalogue = current();
        const QList<CatalogueStation> matches = catalogue->matching(search);
        const bool inObject = misbehaviour.jsonShape == JsonShape::Object;
        reply.body = inObject ? "{\"stations\":[" : "[";
        const QByteArray foot = inObject ? "]}" : "]";
        const auto element = [misbehaviour](const CatalogueStation& station, int position) {
            return (position > 1 ? "," : "") + stationElement(station, misbehaviour, position);
        };
        if (misbehaviour.entryCount > 0) {
            reply.more = piecesOf(matches.isEmpty() ? catalogue->stations() : matches,
                                  misbehaviour.entryCount, element, foot);
            return reply;
        }
        const QList<CatalogueStation> listed = matches.mid(search.offset, search.limit);
        for (int i = 0; i < listed.size(); ++i) reply.body += element(listed[i], i + 1);
        reply.body += foot;
        return reply;
    }

    Reply playlistReply(const QByteArray& rawQuery, const QByteArray& key) const {
        const QString text = current()->playlistText(stationIdOf(queryValue(rawQuery, key)));
        if (text.isEmpty()) return errorReply(404);
        Reply reply;
        reply.contentType = kPls;
        reply.body = text.toUtf8();
        return reply;
    }

    void handle(const httplib::Request& request, httplib::Response& response) {
        LineEnds ends = LineEnds::Lf;
        const Misbehaviour misbehaviour = misbehaviourFor(request.target, &ends);
        if (misbehaviour.delayMs > 0 && !pause(misbehaviour.delayMs)) {
            response.status = 503;
            return;
        }
        const QByteArray target = QByteArray::fromStdString(request.target);
        const qsizetype mark = target.indexOf('?');
        const QByteArray rawQuery = mark < 0 ? QByteArray() : target.mid(mark + 1);
        const std::string& path = request.path;
        Reply reply;
        if (misbehaviour.status != 0) {
            reply = errorReply(misbehaviour.status);
        } else if (path == "/directory/index.phtml") {
            reply = pageReply(PageLayout::Classic, rawQuery, misbehaviour);
        } else if (path == "/index.jsp") {
            reply = pageReply(PageLayout::Current, rawQuery, misbehaviour);
        } else if (path == "/sbin/shoutcast-playlist.pls") {
            reply = playlistReply(rawQuery, "rn");
        } else if (path == "/json/stations/search") {
            reply = stationsReply(rawQuery, misbehaviour);
        } else if (path == "/playlist.pls") {
            reply = playlistReply(rawQuery, "id");
        } else {
            reply = errorReply(404);
        }
        if (misbehaviour.body) {
            reply.body = *misbehaviour.body;
            reply.more = nullptr;
        }
        send(response, std::move(reply), misbehaviour, ends);
    }

    void send(httplib::Response& response, Reply reply, const Misbehaviour& misbehaviour,
              LineEnds ends) {
        response.status = reply.status;
        const QByteArray body = withLineEnds(reply.body, ends);
        const qint64 keep = misbehaviour.dropAfterBytes;
        if (!reply.more && !misbehaviour.endlessBody && misbehaviour.dribbleMs > 0) {
            auto whole = std::make_shared<QByteArray>(body);
            const int pauseMs = misbehaviour.dribbleMs;
            response.set_content_provider(
                whole->size(), reply.contentType,
                [this, whole, pauseMs](size_t offset, size_t, httplib::DataSink& sink) {
                    return pause(pauseMs) && sink.write(whole->constData() + offset, 1);
                });
            return;
        }
        if (!reply.more && !misbehaviour.endlessBody) {
            if (keep < 0 || keep >= body.size()) {
                response.set_content(body.constData(), body.size(), reply.contentType);
                return;
            }
            // The header announces the whole body; the connection closes after 'keep' bytes.
            auto whole = std::make_shared<QByteArray>(body);
            response.set_content_provider(
                whole->size(), reply.contentType,
                [whole, keep](size_t offset, size_t length, httplib::DataSink& sink) {
                    const qint64 left = keep - static_cast<qint64>(offset);
                    if (left <= 0) return false;
                    const size_t n = std::min(length, static_cast<size_t>(left));
                    return sink.write(whole->constData() + offset, n) &&
                           static_cast<qint64>(n) < left;
                });
            return;
        }
        struct Stream {
            QByteArray first;
            std::function<QByteArray()> more;
            bool endless = false;
            bool bodyDone = false;
            qint64 keep = -1;
            qint64 sent = 0;
        };
        auto stream = std::make_shared<Stream>();
        stream->first = body;
        stream->more = std::move(reply.more);
        stream->endless = misbehaviour.endlessBody;
        stream->keep = keep;
        response.set_chunked_content_provider(
            reply.contentType, [this, stream, ends](size_t, httplib::DataSink& sink) {
                if (stopping) return false;
                QByteArray piece;
                if (!stream->first.isEmpty()) {
                    piece = std::exchange(stream->first, {});
                } else if (!stream->bodyDone && stream->more) {
                    piece = withLineEnds(stream->more(), ends);
                }
                if (piece.isEmpty()) {
                    stream->bodyDone = true;
                    if (!stream->endless) {
                        sink.done();
                        return true;
                    }
                    piece = withLineEnds(fillerPiece(), ends);
                }
                if (stream->keep >= 0 && stream->sent + piece.size() >= stream->keep) {
                    sink.write(piece.constData(), stream->keep - stream->sent);
                    return false;
                }
                stream->sent += piece.size();
                return sink.write(piece.constData(), piece.size());
            });
    }
};

DirectoryServer::DirectoryServer(CatalogueOptions options) : d(std::make_unique<Impl>(options)) {}

DirectoryServer::~DirectoryServer() {
    stop();
}

bool DirectoryServer::start(int port) {
    if (d->server) return true;
    auto server = std::make_unique<httplib::Server>();
    // Without it every answer on a reused connection waits for the client's delayed
    // acknowledgement, since the server writes the head and the body separately.
    server->set_tcp_nodelay(true);
    // A client may ask a thousand things on one connection, as common web servers allow; the
    // library's own default closed it after every fifth answer.
    server->set_keep_alive_max_count(1000);
    server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        const QString target = QString::fromStdString(request.target);
        {
            std::lock_guard lock(d->mutex);
            d->log.append(target);
        }
        if (d->listener) d->listener(target);
        // Answers go out uncompressed: the server would otherwise pack every page with its
        // slowest encoder, which costs far more than the page itself on a busy machine. The
        // server reads the client's offer from the request, which it owns and hands to us as
        // const; taking the offer out is the one way to decline it.
        const_cast<httplib::Request&>(request).headers.erase("Accept-Encoding");
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        d->handle(request, response);
    });
    const int bound = port == 0 ? server->bind_to_any_port("127.0.0.1")
                                : (server->bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound <= 0) return false;
    d->port = bound;
    d->stopping = false;
    d->server = std::move(server);
    d->thread = std::thread([server = d->server.get()] { server->listen_after_bind(); });
    // The socket already listens; wait until the accepting loop runs as well.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!d->server->is_running()) {
        if (std::chrono::steady_clock::now() > giveUp) {
            stop();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void DirectoryServer::stop() {
    if (!d->server) return;
    {
        std::lock_guard lock(d->waitMutex);
        d->stopping = true;
    }
    d->wake.notify_all();
    d->server->stop();
    shutDownConnectionsTo(d->port);
    if (d->thread.joinable()) d->thread.join();
    d->server.reset();
}

bool DirectoryServer::isRunning() const {
    return d->server && d->server->is_running();
}
int DirectoryServer::port() const {
    return d->port;
}
QString DirectoryServer::hostPort() const {
    return d->hostPort();
}
QString DirectoryServer::baseUrl() const {
    return QStringLiteral("http://") + d->hostPort();
}
const Catalogue& DirectoryServer::catalogue() const {
    return *d->current();
}

void DirectoryServer::setRevision(int revision) {
    CatalogueOptions options = d->current()->options();
    options.revision = revision;
    auto catalogue = std::make_shared<const Catalogue>(options);
    std::lock_guard lock(d->mutex);
    d->revisions.append(std::move(catalogue));
}

void DirectoryServer::setLineEnds(LineEnds ends) {
    std::lock_guard lock(d->mutex);
    d->lineEnds = ends;
}

LineEnds DirectoryServer::lineEnds() const {
    std::lock_guard lock(d->mutex);
    return d->lineEnds;
}

void DirectoryServer::setMisbehaviour(const QString& pathPrefix, const Misbehaviour& misbehaviour) {
    std::lock_guard lock(d->mutex);
    d->misbehaviours.insert(pathPrefix.toUtf8(), misbehaviour);
}

void DirectoryServer::clearMisbehaviour(const QString& pathPrefix) {
    std::lock_guard lock(d->mutex);
    d->misbehaviours.remove(pathPrefix.toUtf8());
}

void DirectoryServer::clearMisbehaviour() {
    std::lock_guard lock(d->mutex);
    d->misbehaviours.clear();
}

QStringList DirectoryServer::requestLog() const {
    std::lock_guard lock(d->mutex);
    return d->log;
}

void DirectoryServer::clearLog() {
    std::lock_guard lock(d->mutex);
    d->log.clear();
}

void DirectoryServer::setRequestListener(std::function<void(const QString& target)> listener) {
    d->listener = std::move(listener);
}

QString DirectoryServer::currentPlaylistLink(int id) const {
    return PageWriter::currentPlaylistLink(d->hostPort(), QString::number(id));
}
