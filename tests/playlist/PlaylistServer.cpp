#include "PlaylistServer.h"

#include <httplib.h>

PlaylistServer::PlaylistServer() : m_server(std::make_unique<httplib::Server>()) {
    m_server->set_tcp_nodelay(true);
    // One answer per connection: a connection kept open would hold up stop() for seconds.
    m_server->set_keep_alive_max_count(1);
    m_server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string key =
            request.has_param("rn") ? request.get_param_value("rn") : request.path;
        Answer answer{200, defaultPlaylist(key), false};
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(request.target);
            if (const auto found = m_answers.find(key); found != m_answers.end())
                answer = found->second;
        }
        response.status = answer.status;
        if (!answer.drop) {
            response.set_content(answer.body, "audio/x-scpls");
            return;
        }
        // Promise more than is sent: the client sees the connection end mid-answer.
        response.set_content_provider(
            answer.body.size() + 1000, "audio/x-scpls",
            [body = answer.body](size_t, size_t, httplib::DataSink& sink) {
                sink.write(body.data(), body.size());
                return false;
            });
    });
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() only reaches a server that is already listening.
    while (!m_server->is_running()) std::this_thread::yield();
}

PlaylistServer::~PlaylistServer() {
    m_server->stop();
    m_thread.join();
}

QString PlaylistServer::host() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void PlaylistServer::setAnswer(const std::string& key, Answer answer) {
    std::lock_guard lock(m_mutex);
    m_answers[key] = std::move(answer);
}

std::string PlaylistServer::defaultPlaylist(const std::string& key) {
    return "[playlist]\nnumberofentries=1\nFile1=http://stream.test/" + key +
           "\nTitle1=(#1 - 1/100) " + key + "\nLength1=-1\nVersion=2\n";
}

std::vector<std::string> PlaylistServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}
