// The platform stand-ins; HttpRequest against a real HTTP server on the loopback interface.
#include "HttpRequest.h"
#include "NeverAccepted.h"
#include "Surface.h"
#include "TextCodec.h"
#include "UserAgent.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QStringList>
#include <QTemporaryFile>
#include <QUrl>
#include <atomic>
#include <climits>
#include <thread>

namespace {

// Bytes outside a valid UTF-8 sequence (a stray byte, a cut-off sequence at the end, an overlong
// form) read as Windows-1252; an unknown charset reads so too. A UTF-16 byte order mark decides
// over a charset named, as browsers read text. (The replay of the codec's fuzz inputs checks the
// byte order marks within UTF-8 and every Windows-1252 byte.)
TEST(TextCodec, Windows1252AndTheForgivingUtf8Reader) {
    // clang-format off
    const std::pair<QByteArray, QString> read[] = {
        {"caf\xC3\xA9 \xF0\x9F\x98\x80", "café 😀"}, {"caf\xE9 \x80\x99!", "café €™!"},
        {"x\xE2\x82", "xâ‚"}, {"\xC0\xAF", "À¯"}};
    // clang-format on
    for (const auto& [bytes, text] : read)
        EXPECT_EQ(TextCodec::fromUtf8OrWindows1252(bytes), text) << bytes.toHex().toStdString();
    EXPECT_EQ(TextCodec::decode("\xC3\xA9\xE9", "no-such-charset"), "éé");
    EXPECT_EQ(TextCodec::decode(QByteArray::fromHex("fffe6300e900"), "utf-8"), "cé");
}

// Each request goes out under the program's name and version. The text is decoded by the
// answer's charset (UTF-8 when none is named); a redirect is followed and only the last answer's
// header lines are kept, without the status line. A connection dropped or stalled mid-body, a
// refused connection and any scheme but http and https, asked for or redirected to, read as no
// answer; a host name that does not resolve as the "no connection" status. (An error status
// keeps its body and an answer over the size cap is none: the whole window's runs check those.)
TEST(HttpRequest, AnswersAndFailedTransfers) {
    httplib::Server server, closed;
    std::atomic<int> served = 0;
    const std::string agent = "Radiosift/" + std::to_string(RadiosiftVersion::Major) + '.' +
                              std::to_string(RadiosiftVersion::Minor) + '.' +
                              std::to_string(RadiosiftVersion::Revision);
    HttpRequest::setUserAgent(ProgramUserAgent());
    // clang-format off
    const std::tuple<const char*, int, std::string, const char*> pages[] = {
        {"/page", 200, "caf\xC3\xA9", "text/html"},
        {"/latin1", 200, "caf\xE9", "text/html; charset=ISO-8859-1"},
        {"/big", 200, std::string(4096, 'x'), "text/plain"}, {"/moved", 302, "", "text/plain"}};
    // clang-format on
    for (const auto& [path, status, body, type] : pages)
        server.Get(path, [=, &served](const auto& req, auto& res) {
            ++served;
            res.status = req.get_header_value("User-Agent") == agent ? status : 400;
            res.set_header("X-Test", path);
            if (status == 302) res.set_header("Location", "/page");
            res.set_content(body, type);
        });
    server.Get("/dropped", [](const auto&, auto& res) {  // closes mid-body
        res.set_content_provider(1000, "text/plain", [](size_t offset, size_t, auto& sink) {
            return offset == 0 && sink.write("partial", 7);
        });
    });
    std::atomic<bool> released = false;
    server.Get("/stalled", [&](const auto&, auto& res) {  // sends part of the body, then waits
        res.set_content_provider(1000, "text/plain", [&](size_t offset, size_t, auto& sink) {
            if (offset == 0) return sink.write("partial", 7);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return !released.load();
        });
    });
    server.Get("/endless", [](const auto&, auto& res) {  // chunked, no length said beforehand
        res.set_chunked_content_provider("text/plain", [](size_t, auto& sink) {
            return sink.write(std::string(1024, 'x').data(), 1024);
        });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    const int closedPort = closed.bind_to_any_port("127.0.0.1");
    closed.stop();
    // A redirect to ftp:// must not even connect.
    const NeverAccepted silent;
    server.Get("/to-ftp", [&](const auto&, auto& res) {
        res.set_redirect(
            QStringLiteral("ftp://127.0.0.1:%1/a.pls").arg(silent.port()).toStdString());
    });
    const HttpRequest::Limits saved = HttpRequest::limits();
    // A stalled body gives up after the stall time.
    HttpRequest::setLimits(
        {.connectTimeout = std::chrono::seconds(2), .stallTimeout = std::chrono::seconds(1)});
    const QString local = QStringLiteral("http://127.0.0.1:%1").arg(port);
    QTemporaryFile file;
    ASSERT_TRUE(file.open() && file.write("[playlist]") > 0 && file.flush());

    // clang-format off
    const std::tuple<QString, int, bool, QString, QStringList> cases[] = {
        // address, status, completed, text, the X- header lines
        {local + "/page",    200, true,  QString::fromUtf8("café"), {"X-Test: /page"}},
        {local + "/latin1",  200, true,  QString::fromUtf8("café"), {"X-Test: /latin1"}},
        {local + "/moved",   200, true,  QString::fromUtf8("café"), {"X-Test: /page"}},
        {local + "/dropped", 0,   false, "", {}},
        {local + "/stalled", 0,   false, "", {}},
        {QStringLiteral("http://127.0.0.1:%1/").arg(closedPort), 0, false, "", {}},
        {local + "/to-ftp",  0,   false, "", {}},
        {QUrl::fromLocalFile(file.fileName()).toString(), 0, false, "", {}},
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
    EXPECT_FALSE(silent.knockedAt()) << "the redirect to ftp:// was followed";
    // Requests follow one another on one reused libcurl handle: nothing of a failed one may
    // reach the next. A request whose safety options libcurl refuses (it takes no negative
    // stall time) is not even sent.
    released = true;
    HttpRequest::Limits refused = saved;
    refused.stallTimeout = std::chrono::seconds(-1);
    const int servedBefore = served;
    for (const bool refuse : {true, false}) {
        HttpRequest::setLimits(refuse ? refused : saved);
        HttpRequest big;
        big.open(QStringLiteral("GET"), local + "/big");
        big.send();
        EXPECT_EQ(std::tuple(big.completed(), big.responseBody(), served - servedBefore),
                  refuse ? std::tuple(false, QByteArray(), 0)
                         : std::tuple(true, QByteArray(4096, 'x'), 1));
    }
    HttpRequest::setLimits(saved);
    // The caller's bound: an answer past it is not read further, whether its length was said
    // beforehand or it never ends.
    for (const auto& [path, bound, read] :
         {std::tuple{"/big", 4096, true}, {"/big", 4095, false}, {"/endless", 4096, false}}) {
        HttpRequest bounded;
        bounded.open(QStringLiteral("GET"), local + path);
        bounded.setBodyLimit(bound);
        bounded.send();
        EXPECT_EQ(std::pair(bounded.completed(), bounded.responseBody().size()),
                  std::pair(read, qsizetype(read ? 4096 : 0)))
            << path << " bound " << bound;
    }
    server.stop();
    thread.join();
}

constexpr Colour kPen = RGBColour(10, 20, 30), kBrush = RGBColour(200, 100, 50);
constexpr Colour kPaper = RGBColour(255, 255, 255), kGrey = RGBColour(90, 90, 90);

Surface Filled(int width, int height, Colour colour) {
    Surface surface;
    surface.setBackColour(colour);
    surface.resize(width, height);
    surface.setForeColour(kPen), surface.setFillColour(kBrush);
    return surface;
}

// The window shape of a rounded rectangle covers exactly what RoundRect one pixel smaller paints
// with pen and brush; a fault in either the walk, the mirroring or the spans shows up here.
TEST(SurfaceShapes, WindowShapeCoversWhatTheRoundRectOnePixelSmallerPaints) {
    for (int w = 2; w <= 16; ++w)
        for (int h = 2; h <= 13; ++h)
            for (int corner = 0; corner <= 18; ++corner) {
                if (w == 2 && h == 2) continue;  // a 2x2 corner shape is the exception
                Surface ink = Filled(w + 2, h + 2, kPaper);
                ink.RoundRect(1, 1, w + 1, h + 1, corner, corner);
                const QRegion shape = Surface::RoundRectRegion(1, 1, w + 2, h + 2, corner, corner);
                int wrong = 0;
                for (int y = 0; y < h + 2; ++y)
                    for (int x = 0; x < w + 2; ++x)
                        wrong += shape.contains(QPoint(x, y)) != (ink.GetPixel(x, y) != kPaper);
                EXPECT_EQ(wrong, 0) << w << "x" << h << " corner " << corner;
            }
    EXPECT_EQ(Surface::RoundRectRegion(0, 0, 12, 10, INT_MIN, INT_MIN),
              Surface::RoundRectRegion(0, 0, 12, 10, INT_MAX, INT_MAX));
}

// Reading just outside each edge gives the invalid colour and writing there does nothing: the
// frame's corner pass reads its neighbours up to the edges.
TEST(SurfacePixels, OutsideTheEdgesReadsInvalidAndWritesNothing) {
    Surface s = Filled(4, 3, kGrey);
    for (const QPoint& p : {QPoint(-1, 0), QPoint(4, 0), QPoint(0, -1), QPoint(0, 3)}) {
        EXPECT_EQ(s.GetPixel(p.x(), p.y()), InvalidColour) << p.x() << "," << p.y();
        s.SetPixelV(p.x(), p.y(), RGBColour(9, 9, 9));
    }
    EXPECT_EQ(s.image(), Filled(4, 3, kGrey).image());
    EXPECT_EQ(s.GetPixel(3, 2), kGrey);  // the last pixel inside
}

QImage DrawnStraight(const QFont& font, const QString& text, int x, int y) {
    QImage image(160, 60, QImage::Format_RGB32);
    image.fill(Qt::white);  // kPaper
    const QFont imageFont(font, &image);
    const QFontMetrics metrics(imageFont);
    QPainter painter(&image);
    painter.setFont(imageFont);
    painter.setPen(QColor(10, 20, 30));  // kPen
    for (const QString& line : text.split(u'\n')) {
        painter.drawText(x, y + metrics.ascent(), line);
        y += metrics.height();
    }
    return image;
}

// Print keeps the last text shaped, so what it draws must stay what drawing the text straight
// onto the image draws, whatever was printed before.
TEST(SurfaceText, PrintDrawsWhatDrawingTheTextStraightDraws) {
    const QFont sans(QStringLiteral("DejaVu Sans"), 9), serif(QStringLiteral("DejaVu Serif"), 13);
    const QString texts[] = {QStringLiteral("Getting Genre TopTen"), QStringLiteral("two\nlines"),
                             QStringLiteral("tab\there"), QStringLiteral("Ürün & Φωνή"), QString()};
    Surface surface = Filled(160, 60, kPaper);
    // Every text twice in a row (the second drawn from what the first shaped), then twice in
    // the other font, so that each print follows the same text in another font or another text.
    for (const QString& text : texts)
        for (const QFont& font : {sans, serif}) {
            surface.setFont(font);
            for (int repeat = 0; repeat < 2; ++repeat) {
                surface.clear();
                surface.setCurrentPosition(7, 3);
                surface.Print(text);
                EXPECT_EQ(surface.image(), DrawnStraight(font, text, 7, 3))
                    << text.toStdString() << " in " << font.family().toStdString() << ", print "
                    << repeat + 1;
            }
        }
}

}  // namespace
