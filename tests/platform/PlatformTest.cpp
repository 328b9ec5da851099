// The core platform stand-ins: Windows-1252 in both directions and the forgiving UTF-8
// reader; HttpRequest against a real HTTP server on the loopback interface.
#include "HttpRequest.h"
#include "TextCodec.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QStringList>
#include <thread>

namespace {

// ---- TextCodec ----

// Every byte comes back from Windows-1252; a character the code page lacks becomes '?', one
// for each UTF-16 unit. Bytes outside a valid UTF-8 sequence (a stray byte, a cut-off sequence
// at the end, an overlong form) read as Windows-1252. A charset name chooses the decoding, and
// an unknown or empty one falls back to that forgiving reader.
TEST(TextCodec, Windows1252Utf8AndCharsets) {
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) all.append(static_cast<char>(byte));
    EXPECT_EQ(TextCodec::toWindows1252(TextCodec::fromWindows1252(all)), all);
    EXPECT_EQ(TextCodec::fromWindows1252("\x80\x99\xE9"), QString::fromUtf8("€™é"));
    EXPECT_EQ(TextCodec::toWindows1252(QString::fromUtf8("Ra★dio Ж é€ 😀")),
              QByteArray("Ra?dio ? \xE9\x80 ??"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("caf\xC3\xA9 \xF0\x9F\x98\x80"),
              QString::fromUtf8("café 😀"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("caf\xE9 \x80!"), QString::fromUtf8("café €!"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("x\xE2\x82"), QString::fromUtf8("xâ‚"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("\xC0\xAF"), QString::fromUtf8("À¯"));
    EXPECT_EQ(TextCodec::decode("\xE9", "ISO-8859-1"), QString::fromUtf8("é"));
    EXPECT_EQ(TextCodec::decode("\xC3\xA9\xE9", ""), QString::fromUtf8("éé"));
    EXPECT_EQ(TextCodec::decode("\xC3\xA9", "no-such-charset"), QString::fromUtf8("é"));
    // Only a byte-order mark that opens the bytes is dropped, also after a stray byte.
    const QChar mark(0xFEFF);
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("\xEF\xBB\xBF\xEF\xBB\xBF" "a"), mark + QString("a"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("caf\xE9\xEF\xBB\xBF" "b"),
              QString::fromUtf8("café") + mark + "b");
}

// ---- HttpRequest ----

// The text is decoded by the answer's charset (UTF-8 when none is named); an error status keeps
// its body; a redirect is followed and only the last answer's header lines are kept, without
// the status line. A connection dropped mid-body, a refused connection and an answer over the
// size cap read as no answer; a host name that does not resolve as the "no connection" status.
TEST(HttpRequest, AnswersAndFailedTransfers) {
    httplib::Server server, closed;
    // clang-format off
    const std::tuple<const char*, int, std::string, const char*> pages[] = {
        {"/page", 200, "caf\xC3\xA9", "text/html"}, {"/missing", 404, "not here", "text/plain"},
        {"/latin1", 200, "caf\xE9", "text/html; charset=ISO-8859-1"},
        {"/big", 200, std::string(4096, 'x'), "text/plain"}, {"/moved", 302, "", "text/plain"}};
    // clang-format on
    for (const auto& [path, status, body, type] : pages)
        server.Get(path, [=](const auto&, auto& res) {
            res.status = status;
            res.set_header("X-Test", path);
            if (status == 302) res.set_header("Location", "/page");
            res.set_content(body, type);
        });
    server.Get("/dropped", [](const auto&, auto& res) {  // closes mid-body
        res.set_content_provider(1000, "text/plain", [](size_t offset, size_t, auto& sink) {
            return offset == 0 && sink.write("partial", 7);
        });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    const int closedPort = closed.bind_to_any_port("127.0.0.1");
    closed.stop();
    const HttpRequest::Limits saved = HttpRequest::limits();
    // A half-sent body must not hold the test up; /big goes over the size cap.
    HttpRequest::setLimits({.stallTimeout = std::chrono::seconds(1), .maxBodyBytes = 1000});
    const QString local = QStringLiteral("http://127.0.0.1:%1").arg(port);

    // clang-format off
    const std::tuple<QString, int, bool, QString, QStringList> cases[] = {
        // address, status, completed, text, the X- header lines
        {local + "/page",    200, true,  QString::fromUtf8("café"), {"X-Test: /page"}},
        {local + "/latin1",  200, true,  QString::fromUtf8("café"), {"X-Test: /latin1"}},
        {local + "/missing", 404, true,  "not here",                {"X-Test: /missing"}},
        {local + "/moved",   200, true,  QString::fromUtf8("café"), {"X-Test: /page"}},
        {local + "/dropped", 0,   false, "", {}},
        {QStringLiteral("http://127.0.0.1:%1/").arg(closedPort), 0, false, "", {}},
        {local + "/big",     0,   false, "", {}},
        {"http://radiosift-test.invalid/page", HttpRequest::StatusHostNotResolved, false, "", {}}};
    // clang-format on
    for (const auto& [address, status, completed, text, marks] : cases) {
        HttpRequest request;
        request.open(QStringLiteral("GET"), address);
        request.send();
        EXPECT_EQ(std::tuple(request.status(), request.completed(), request.responseText()),
                  std::tuple(status, completed, text))
            << address.toStdString();
        const QString headers = request.getAllResponseHeaders();
        EXPECT_EQ(headers.split(QStringLiteral("\r\n")).filter(QStringLiteral("X-")), marks)
            << address.toStdString();
        EXPECT_TRUE(!headers.startsWith(u"HTTP/") && headers.endsWith(u"\r\n\r\n") == completed);
        EXPECT_EQ(request.responseBody().isEmpty(), !completed) << address.toStdString();
    }
    // Requests follow one another on one reused libcurl handle: nothing of a failed one may
    // reach the next.
    HttpRequest::setLimits(saved);
    HttpRequest big;
    big.open(QStringLiteral("GET"), local + "/big");
    big.send();
    EXPECT_EQ(big.responseBody(), QByteArray(4096, 'x'));
    EXPECT_EQ(big.getAllResponseHeaders().split(QStringLiteral("\r\n")).filter(QStringLiteral("X-")),
              QStringList({"X-Test: /big"}));
    server.stop();
    thread.join();
}

}  // namespace
