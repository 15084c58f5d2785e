// GBK text helpers. Every text of the system is an 8-bit GBK byte string; conversion to
// UTF-8 happens only at the edges (browser, window titles, widgets) through these two functions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lmn {

// GBK -> UTF-8. Bytes that are not valid GBK become U+FFFD; never throws.
std::string GbkToUtf8(std::string_view gbk);
// UTF-8 -> GBK. Characters GBK cannot hold become '?'; never throws.
std::string Utf8ToGbk(std::string_view utf8);

// Lower-cases the ASCII letters of a GBK text, leaving the trail byte of every double-byte
// character alone (a trail byte may fall in 'A'..'Z').
std::string GbkToLower(std::string_view text);
// Plain ASCII lower case, for names that are known to be ASCII or UTF-8.
std::string AsciiLower(std::string_view text);

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
// Splits at every occurrence of sep; empty pieces are kept.
std::vector<std::string> Split(std::string_view text, char sep);
std::string Trim(std::string_view text);

// Decimal text to int as the C library's atoi does: leading blanks, optional sign, digits;
// anything unreadable is 0. Saturates instead of overflowing.
int AtoI(std::string_view text);

}  // namespace lmn
