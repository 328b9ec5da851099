// What the fuzz targets share: a check that stops the program on a broken rule (libFuzzer then
// keeps the input), and cutting an input into the texts a target feeds to the program.
#pragma once

#include "TextCodec.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzCheckFailed(const char* rule, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken rule: %s\n", file, line, rule);
    std::abort();
}

// Stops the program when a rule that must hold for every input does not.
#define FUZZ_CHECK(rule) ((rule) ? void(0) : FuzzCheckFailed(#rule, __FILE__, __LINE__))

// The input as a server's bytes are read: UTF-8 where valid, Windows-1252 elsewhere.
inline QString DecodeInput(const uint8_t* data, size_t size) {
    return TextCodec::fromUtf8OrWindows1252(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

// The input cut at every 0xFF byte (never part of UTF-8) into decoded texts, so that a text
// may hold NUL; missing texts are empty, so a target can always ask for the count it needs.
inline QList<QString> InputFields(const uint8_t* data, size_t size, qsizetype count) {
    QList<QString> fields;
    size_t start = 0;
    for (size_t i = 0; i <= size && fields.size() < count; ++i) {
        if (i == size || data[i] == 0xFF) {
            fields.append(DecodeInput(data + start, i - start));
            start = i + 1;
        }
    }
    while (fields.size() < count) fields.append(QString());
    return fields;
}
