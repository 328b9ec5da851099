// HttpRequest against a real HTTP server on the loopback interface.
#include "HttpRequest.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

namespace {

class HttpRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_server.set_tcp_nodelay(true);
        m_server.Get("/page", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("X-Test", "yes");
            res.set_content("caf\xC3\xA9", "text/html");
        });
        m_server.Get("/latin1", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("caf\xE9", "text/html; charset=ISO-8859-1");
        });
        m_server.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("not here", "text/plain");
        });
        m_server.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/page");
        });
        m_server.Get("/big", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(4096, 'x'), "text/plain");
        });
        m_server.Get("/dropped", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(1000, "text/plain",
                                     [](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset > 0) return false;  // closes mid-body
                                         sink.write("partial", 7);
                                         return true;
                                     });
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        m_saved = HttpRequest::limits();
        HttpRequest::Limits limits = m_saved;
        limits.stallTimeout = std::chrono::seconds(1);  // a half-sent body must not hold a test
        HttpRequest::setLimits(limits);
    }
    void TearDown() override {
        HttpRequest::setLimits(m_saved);
        m_server.stop();
        m_thread.join();
    }
    QString url(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QString::fromLatin1(path));
    }
    static std::unique_ptr<HttpRequest> get(const QString& address) {
        auto request = std::make_unique<HttpRequest>();
        request->open(QStringLiteral("GET"), address);
        request->send();
        return request;
    }

    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    HttpRequest::Limits m_saved;
};

TEST_F(HttpRequestTest, ReadsStatusTextAndHeaderLines) {
    const auto request = get(url("/page"));
    EXPECT_EQ(request->status(), 200);
    EXPECT_TRUE(request->completed());
    EXPECT_EQ(request->responseText(), QString::fromUtf8("café"));
    const QString headers = request->getAllResponseHeaders();
    EXPECT_FALSE(headers.startsWith(QStringLiteral("HTTP/")));
    EXPECT_TRUE(headers.contains(QStringLiteral("X-Test: yes\r\n")));
    EXPECT_TRUE(headers.endsWith(QStringLiteral("\r\n\r\n")));
}

TEST_F(HttpRequestTest, DecodesByTheCharsetOfTheAnswer) {
    EXPECT_EQ(get(url("/latin1"))->responseText(), QString::fromUtf8("café"));
}

TEST_F(HttpRequestTest, ErrorStatusStillHasItsBody) {
    const auto request = get(url("/missing"));
    EXPECT_EQ(request->status(), 404);
    EXPECT_TRUE(request->completed());
    EXPECT_EQ(request->responseText(), QStringLiteral("not here"));
}

TEST_F(HttpRequestTest, FollowsRedirectsAndKeepsOnlyTheLastHeader) {
    const auto request = get(url("/moved"));
    EXPECT_EQ(request->status(), 200);
    EXPECT_EQ(request->responseText(), QString::fromUtf8("café"));
    EXPECT_TRUE(request->getAllResponseHeaders().contains(QStringLiteral("X-Test: yes")));
    EXPECT_FALSE(request->getAllResponseHeaders().contains(QStringLiteral("Location")));
}

TEST_F(HttpRequestTest, UnresolvableHostIsNoConnection) {
    const auto request = get(QStringLiteral("http://radiosift-test.invalid/page"));
    EXPECT_EQ(request->status(), HttpRequest::StatusHostNotResolved);
    EXPECT_FALSE(request->completed());
    EXPECT_TRUE(request->responseText().isEmpty());
}

TEST_F(HttpRequestTest, FailedTransfersReadAsNoAnswer) {
    // A connection dropped mid-body, a refused connection and an answer over the size cap.
    auto request = get(url("/dropped"));
    EXPECT_EQ(request->status(), 0);
    EXPECT_FALSE(request->completed());
    EXPECT_TRUE(request->responseText().isEmpty());

    httplib::Server closed;
    const int closedPort = closed.bind_to_any_port("127.0.0.1");
    closed.stop();
    request = get(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort));
    EXPECT_EQ(request->status(), 0);
    EXPECT_FALSE(request->completed());

    HttpRequest::Limits limits = HttpRequest::limits();
    limits.maxBodyBytes = 1000;
    HttpRequest::setLimits(limits);
    request = get(url("/big"));
    EXPECT_EQ(request->status(), 0);
    EXPECT_FALSE(request->completed());
    EXPECT_TRUE(request->responseBody().isEmpty());
}

// Requests follow one another on the same libcurl handle: nothing of one may reach the next.
TEST_F(HttpRequestTest, ARequestAfterFailedOnesIsAnsweredInFull) {
    get(url("/dropped"));
    HttpRequest::Limits limits = HttpRequest::limits();
    limits.maxBodyBytes = 1000;
    HttpRequest::setLimits(limits);
    get(url("/big"));
    limits.maxBodyBytes = m_saved.maxBodyBytes;
    HttpRequest::setLimits(limits);
    get(url("/missing"));

    const auto request = get(url("/big"));
    EXPECT_EQ(request->status(), 200);
    EXPECT_TRUE(request->completed());
    EXPECT_EQ(request->responseBody(), QByteArray(4096, 'x'));
    EXPECT_FALSE(request->getAllResponseHeaders().contains(QStringLiteral("X-Test")));
    EXPECT_EQ(get(url("/page"))->responseText(), QString::fromUtf8("café"));
}

}  // namespace
