// A request whose safety options libcurl refuses is not sent: it fails as a request without an
// answer, and the request after it, with options libcurl takes, is sent as usual.
#include "HttpRequest.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <thread>

namespace {

TEST(HttpRequest, RefusedOptionKeepsTheRequestFromBeingSent) {
    httplib::Server server;
    std::atomic<int> asked = 0;
    server.Get("/page", [&](const auto&, auto& res) {
        ++asked;
        res.set_header("Connection", "close");  // nothing kept open for stop() to wait on
        res.set_content("page", "text/plain");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    const QString address = QStringLiteral("http://127.0.0.1:%1/page").arg(port);

    const HttpRequest::Limits saved = HttpRequest::limits();
    HttpRequest::Limits refused = saved;
    refused.stallTimeout = std::chrono::seconds(-1);  // libcurl takes no negative stall time
    for (const bool refuse : {true, false}) {
        HttpRequest::setLimits(refuse ? refused : saved);
        HttpRequest request;
        request.open(QStringLiteral("GET"), address);
        request.send();
        EXPECT_EQ(std::tuple(request.status(), request.completed(), request.responseText(),
                             asked.exchange(0)),
                  refuse ? std::tuple(0, false, QString(), 0)
                         : std::tuple(200, true, QStringLiteral("page"), 1));
    }
    HttpRequest::setLimits(saved);
    server.stop();
    thread.join();
}

}  // namespace
