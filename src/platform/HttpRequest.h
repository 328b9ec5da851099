// HttpRequest: a synchronous HTTP GET in the shape of the desktop's XML-HTTP request object
// (open, send, status, responseText, getAllResponseHeaders), on a libcurl easy handle.
#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <memory>

class HttpRequest {
public:
    // Status that stands for "the host name could not be resolved": the code the desktop's
    // request component uses, which the program reads as "no connection".
    static constexpr int StatusHostNotResolved = 12007;

    // Limits of every request. The defaults are the program's own; tests shorten them.
    struct Limits {
        std::chrono::milliseconds connectTimeout{30000};
        // A transfer slower than 1 byte/s for this long is abandoned (whole seconds).
        std::chrono::seconds stallTimeout{60};
        // An answer whose body grows past this is cut off and counts as a failed transfer.
        qint64 maxBodyBytes = 32 * 1024 * 1024;
        // A request that has not ended after this long, connection included, is abandoned: an
        // answer that keeps trickling in never stalls, but must not hold the window for ever.
        std::chrono::milliseconds totalTimeout{120000};
    };
    static Limits limits();
    static void setLimits(const Limits& limits);

    // The User-Agent header of every request from now on (none while it is empty).
    static QByteArray userAgent();
    static void setUserAgent(const QByteArray& agent);

    HttpRequest();
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // Only "GET" is supported, over http and https only; the request is always synchronous.
    void open(const QString& method, const QString& url);
    // The longest answer body this request takes (after content decoding), for the next send
    // only: one that grows past it is not read further and counts as a failed transfer, like one
    // past Limits::maxBodyBytes, which holds whatever is set here. open() clears it.
    void setBodyLimit(qint64 bytes);
    // Returns when the whole answer is there, or the transfer failed. While it waits, the
    // thread's events run (PendingEvents::Wait); when the wait is given up, the transfer is
    // aborted at once and counts as failed. A send from within another request's wait starts no
    // transfer and fails likewise.
    void send();

    // The HTTP status of the answer; StatusHostNotResolved when the host name could not be
    // resolved; 0 when no answer was read.
    int status() const;
    // True when the transfer completed: an answer was read whole, whatever its status.
    bool completed() const;
    // The body decoded by the byte order mark it opens with, else by the charset of its
    // Content-Type, else as UTF-8 with bytes that are not valid UTF-8 read as Windows-1252.
    // Empty after a failed transfer.
    QString responseText() const;
    // The body as it arrived (after content decoding).
    QByteArray responseBody() const;
    // The header lines of the final answer without its status line, each ended by CR LF, then
    // the empty line that ends the header.
    QString getAllResponseHeaders() const;
    // Lets the body and the text go once the caller has what it needs of them; the status, the
    // headers and completed() stay.
    void releaseAnswer();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
