// A playlist endpoint on 127.0.0.1 for the saver's tests: answers every station id with a
// playlist, or with what a test asked for (an error status, a dropped connection), and keeps
// the address of every request it received.
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

class PlaylistServer {
public:
    struct Answer {
        int status = 200;
        std::string body;
        bool drop = false;  // send part of the body, then close the connection
    };

    PlaylistServer();
    ~PlaylistServer();

    // "127.0.0.1:port", as RADIOSIFT_CLASSIC_HOST takes it.
    QString host() const;
    // The answer for a station id (the rn of the query) or, for a request without one, a path.
    void setAnswer(const std::string& key, Answer answer);
    // The playlist sent for a key that has no answer set.
    static std::string defaultPlaylist(const std::string& key);
    // Path and query of every request, in order.
    std::vector<std::string> requests() const;

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, Answer> m_answers;
    std::vector<std::string> m_requests;
};

// How an answer shows in test names.
inline void PrintTo(const PlaylistServer::Answer& answer, std::ostream* os) {
    *os << "status " << answer.status << " " << answer.body.size() << " bytes"
        << (answer.drop ? " dropped" : "");
}
