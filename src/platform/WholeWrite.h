// Writing a program's text to standard output or error so that a failure shows: a full disk or
// a closed pipe must not pass for success.
#pragma once

#include <QByteArray>
#include <cstdio>

// Writes bytes to stream and flushes it (the stream buffers them: a failed write shows only once
// flushed). False when any of it could not be written.
inline bool WriteWhole(std::FILE* stream, const QByteArray& bytes) {
    const bool written = std::fwrite(bytes.constData(), 1, bytes.size(), stream) ==
                         static_cast<std::size_t>(bytes.size());
    return std::fflush(stream) == 0 && written && !std::ferror(stream);
}
