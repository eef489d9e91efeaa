// tests/support/c_literal.h - reads an escaped C string literal back as a compiler would, for the tests and
// the fuzz target of the window report's generated source (no GoogleTest here).
#pragma once

#include <string>

// Reads the C string literal opening at the first '"' at or after *at into *out, as a compiler reads it:
// a lead byte (cp932 by default, or is_lead's) takes the next byte, whatever it is. False for a malformed
// literal: no closing quote, a raw line break, an unknown escape, an octal escape above 255, a trigraph.
// *at moves past the closing quote.
inline bool read_c_literal(const std::string &s, size_t *at, std::string *out, int (*is_lead)(unsigned char) = nullptr) {
    const std::string simple = "\"\\?ntr", trigraphs = "=/'()!<>-";
    size_t i = s.find('"', *at), k;
    for (out->clear(), i = i == std::string::npos ? s.size() : i + 1; i < s.size() && s[i] != '"'; i++) {
        unsigned char c = (unsigned char)s[i], next = i + 1 < s.size() ? (unsigned char)s[i + 1] : 0;
        bool lead = is_lead ? c >= 0x80 && is_lead(c) : (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (c == '\n' || c == '\r' || (c == '?' && next == '?' && trigraphs.find(s[i + 2]) != std::string::npos)) return false;
        if (lead && i + 1 < s.size()) out->append(s, i++, 2);
        else if (c != '\\') *out += (char)c;
        else if ((k = simple.find((char)next)) != std::string::npos) *out += "\"\\?\n\t\r"[k], i++;
        else if (next < '0' || next > '7') return false;
        else {
            int v = 0;
            for (int n = 0; n < 3 && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '7'; n++) v = v * 8 + (s[++i] - '0');
            if (v > 255) return false;
            *out += (char)v;
        }
    }
    if (i >= s.size()) return false;
    *at = i + 1;
    return true;
}
