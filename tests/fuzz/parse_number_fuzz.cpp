// tests/fuzz/parse_number_fuzz.cpp - the atoi-style reading of typed answers against strtoll.
//
// The answer buffer of a console prompt is 256 bytes; the input is cut there and NUL-terminated.
// parse_number must agree with strtoll in base 10 held to the int range (atoi with clamping).
#include "base/number_text.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string text((const char *)data, size < 255 ? size : 255);
    text = text.c_str();   // up to the first NUL, as the buffer is read
    int got = parse_number(text.c_str());
    // strtoll also takes a sign right after white space and decimal digits only.
    errno = 0;
    long long want = strtoll(text.c_str(), nullptr, 10);
    if (want > INT_MAX) want = INT_MAX;
    if (want < INT_MIN) want = INT_MIN;
    if (got != (int)want) abort();
    return 0;
}
