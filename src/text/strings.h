#pragma once
// Plain-text helpers (no pattern engine): byte strings, 1-based positions, 0 = not found.
// IgnoreCase lower-cases only the ASCII letters A..Z; every other byte must match exactly.
// An empty Old or Sub never occurs. A start position below 1 counts as 1; FindLast's start 0
// means the end of S (a negative start finds nothing).

#include <string>
#include <string_view>
#include <vector>

namespace quillery {

std::string ReplaceAllEx(std::string_view s, std::string_view oldText, std::string_view newText,
                         bool ignoreCase);
std::string ReplaceAll(std::string_view s, std::string_view oldText, std::string_view newText);

int FindFrom(std::string_view s, std::string_view sub, int start, bool ignoreCase);
int FindInRange(std::string_view s, std::string_view sub, int start, bool ignoreCase, int limit);
int FindLast(std::string_view s, std::string_view sub, int start, bool ignoreCase);
int PosIn(std::string_view s, std::string_view sub);

std::string LeftStr(std::string_view s, int count);
std::string RightStr(std::string_view s, int count);
std::string MidStr(std::string_view s, int start, int count);
std::string StrFrom(std::string_view s, int start);

std::string ExtractBetween(std::string_view s, std::string_view startTag, std::string_view endTag,
                           bool ignoreCase);
std::vector<std::string> ExtractAllBetween(std::string_view s, std::string_view startTag,
                                           std::string_view endTag, bool includeTags,
                                           bool ignoreCase);
void AppendRange(std::string& buffer, int& bufferPos, std::string_view src, int from, int to);

std::string EncodeEntities(std::string_view s);
// EncodeEntities, and '"' as "&quot;": text fit for an XML attribute value in double quotes.
std::string EscapeXmlAttribute(std::string_view s);
std::string DecodeEntities(std::string_view s);

// Small conveniences used across the program.
std::string Trim(std::string_view s);        // blanks and control bytes (<= 0x20) at both ends
std::string LowerAscii(std::string_view s);  // A..Z only
std::string UpperAscii(std::string_view s);

}  // namespace quillery
