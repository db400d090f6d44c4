#pragma once
// Decoding the path of a URI reference as web pages write it: every "%XX" stands for one
// byte (names in UTF-8 give several).

#include <string>
#include <string_view>

namespace quillery {

// Every "%" followed by two hex digits replaced by the byte they give; a "%" without two hex
// digits after it stays as it is.
std::string PercentDecode(std::string_view text);

}  // namespace quillery
