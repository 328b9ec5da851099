// How a table case shows in test names: its label with everything but letters, digits and
// blanks turned into "_", so that the names stay stable and safe to filter by.
#pragma once

#include <cctype>
#include <ostream>

inline void PrintCaseLabel(const char* label, std::ostream* os) {
    if (!label || !*label) *os << "empty";
    for (const char* c = label; c && *c; ++c)
        *os << (std::isalnum(static_cast<unsigned char>(*c)) || *c == ' ' ? *c : '_');
}
