// DirectoryServer: the local directory, an HTTP server on 127.0.0.1 that answers the
// program's page queries, JSON station searches and playlist requests from a generated catalogue,
// on a thread of its own. Tests start it in-process; radiosift-directory runs it as a program.
//
// Paths served:
//   /directory/index.phtml?QUERY           classic result page
//   /index.jsp?QUERY                       current result page
//   /sbin/shoutcast-playlist.pls?rn=ID&... the station's PLS playlist (audio/x-scpls)
//   /playlist.pls?id=ID                    the same playlist, as the current pages link it
//   /json/stations/search?QUERY            the stations as a JSON array, as the community
//                                          directory answers (see StationSearch, StationJson)
// An unknown path or station id is answered with 404.
#pragma once

#include "Catalogue.h"
#include "Misbehaviour.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class DirectoryServer {
public:
    explicit DirectoryServer(CatalogueOptions options = {});
    ~DirectoryServer();
    DirectoryServer(const DirectoryServer&) = delete;
    DirectoryServer& operator=(const DirectoryServer&) = delete;

    // Listens on 127.0.0.1:port (0: a free port) and returns once connections are accepted;
    // false when the port cannot be bound. Starting a running server changes nothing.
    bool start(int port = 0);
    // Closes the listening socket and the open connections, and waits for the server thread.
    void stop();
    bool isRunning() const;
    int port() const;
    // "127.0.0.1:PORT": what RADIOSIFT_MAIN_HOST and RADIOSIFT_CLASSIC_HOST take.
    QString hostPort() const;
    // "http://127.0.0.1:PORT".
    QString baseUrl() const;

    // The catalogue listed now.
    const Catalogue& catalogue() const;
    // Lists the catalogue of the same options at another revision (see CatalogueOptions) from
    // the next request on, as the directory changes between two harvests. Safe to call while
    // the server runs; catalogues handed out before stay valid.
    void setRevision(int revision);

    // Line ends of pages and playlists (LF unless set).
    void setLineEnds(LineEnds ends);
    LineEnds lineEnds() const;

    // Misbehaves for every request whose target (path, "?" and query, as sent) starts with
    // pathPrefix; the empty prefix takes in every request. Where several prefixes match, the
    // longest one holds. Safe to call from any thread while the server runs.
    void setMisbehaviour(const QString& pathPrefix, const Misbehaviour& misbehaviour);
    void clearMisbehaviour(const QString& pathPrefix);
    void clearMisbehaviour();

    // Every request target received (path, "?" and the query exactly as sent), oldest first.
    QStringList requestLog() const;
    void clearLog();
    // Also hands every request target to 'listener' as it arrives, before it is answered, on
    // one of the server's threads (several may call at once). Set it before start().
    void setRequestListener(std::function<void(const QString& target)> listener);

    // The current layout's playlist link of a station: http://127.0.0.1:PORT/playlist.pls?id=ID.
    QString currentPlaylistLink(int id) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
