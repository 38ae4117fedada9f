// Writing JSON text: strings quoted and escaped so that any file name survives a parser.
#pragma once

#include <string>
#include <string_view>

namespace zumeli::cli {

// `text` as a JSON string literal, quotes included. Quote, backslash and control characters
// are escaped (\n, \t ... or \u00XX); valid UTF-8 is kept as it is; a byte that is not part of
// valid UTF-8 (file names on Linux are bytes) becomes U+FFFD, so the result is always valid
// UTF-8 JSON.
std::string jsonString(std::string_view text);

} // namespace zumeli::cli
