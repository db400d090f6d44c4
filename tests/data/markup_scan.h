#pragma once
// A small tag scanner for checking the shipped and generated web pages in tests: finds tags
// and their attributes (quoted or bare, any letter case) and checks that the files and
// anchors a page refers to exist.

#include <map>
#include <string>
#include <vector>

namespace quillery::testing {

struct ScannedTag {
    std::string name;                               // lower case; end tags start with "/"
    std::map<std::string, std::string> attributes;  // lower-case names, raw values
};

std::vector<ScannedTag> ScanTags(const std::string& html);

// The whole file, or an empty string when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

// "%20" and other %XX escapes decoded.
std::string PercentDecode(const std::string& value);

// Values of id attributes and of the name attributes of "a" tags.
std::vector<std::string> AnchorsOf(const std::string& html);

// Every local img src, stylesheet link href and a href of folder + file checked: the file
// must exist, and a "#anchor" must be defined in the target page. Returns one line per
// broken reference (empty when all are sound). Addresses with ":" are not local and skipped.
std::vector<std::string> BrokenReferences(const std::string& folder, const std::string& file);

bool IsValidUtf8(const std::string& text);

}  // namespace quillery::testing
