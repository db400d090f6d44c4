#pragma once
// Decoding the path of a URI reference as web pages write it (every "%XX" stands for one
// byte; names in UTF-8 give several), and encoding a file's path as such a reference.

#include <string>
#include <string_view>

namespace quillery {

// Every "%" followed by two hex digits replaced by the byte they give; a "%" without two hex
// digits after it stays as it is.
std::string PercentDecode(std::string_view text);

// A relative path as a URI reference: bytes that cannot stand in one (controls, blank, quote,
// "#", "%", "?", "<", ">", "\\" and the like) percent-encoded; in a name that is not valid UTF-8
// every byte from 0x80 up too. Letters, digits, "/", "." and UTF-8 stay as they are.
std::string PercentEncodePath(std::string_view path);

}  // namespace quillery
