#include "markup_scan.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quillery::testing {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Parses the attributes of one tag's inner text (after its name).
void ParseAttributes(const std::string& text, std::size_t i, ScannedTag& tag) {
    while (i < text.size()) {
        while (i < text.size() && (IsSpace(text[i]) || text[i] == '/')) ++i;
        std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i]) && text[i] != '=' && text[i] != '/') ++i;
        if (start == i) break;
        const std::string name = Lower(text.substr(start, i - start));
        while (i < text.size() && IsSpace(text[i])) ++i;
        std::string value;
        if (i < text.size() && text[i] == '=') {
            ++i;
            while (i < text.size() && IsSpace(text[i])) ++i;
            if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
                const char quote = text[i++];
                const std::size_t end = text.find(quote, i);
                value = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
                i = end == std::string::npos ? text.size() : end + 1;
            } else {
                start = i;
                while (i < text.size() && !IsSpace(text[i])) ++i;
                value = text.substr(start, i - start);
            }
        }
        tag.attributes.emplace(name, value);
    }
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::vector<ScannedTag> ScanTags(const std::string& html) {
    std::vector<ScannedTag> tags;
    std::size_t pos = 0;
    while ((pos = html.find('<', pos)) != std::string::npos) {
        if (html.compare(pos, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", pos);
            if (end == std::string::npos) break;
            pos = end + 3;
            continue;
        }
        // Quoted values may hold ">", so find the tag's end outside quotes.
        std::size_t end = pos + 1;
        char quote = 0;
        for (; end < html.size(); ++end) {
            if (quote) {
                if (html[end] == quote) quote = 0;
            } else if (html[end] == '"' || html[end] == '\'') {
                quote = html[end];
            } else if (html[end] == '>') {
                break;
            }
        }
        if (end >= html.size()) break;
        const std::string inner = html.substr(pos + 1, end - pos - 1);
        pos = end + 1;
        if (inner.empty() || inner[0] == '!' || inner[0] == '?') continue;
        ScannedTag tag;
        std::size_t i = 0;
        while (i < inner.size() && !IsSpace(inner[i]) && !(inner[i] == '/' && i > 0)) ++i;
        tag.name = Lower(inner.substr(0, i));
        ParseAttributes(inner, i, tag);
        tags.push_back(std::move(tag));
    }
    return tags;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return in ? out.str() : std::string();
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string PercentDecode(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size() && std::isxdigit(static_cast<unsigned char>(value[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(value[i + 2]))) {
            out.push_back(static_cast<char>(std::stoi(value.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(value[i]);
        }
    }
    return out;
}

std::vector<std::string> AnchorsOf(const std::string& html) {
    std::vector<std::string> anchors;
    for (const ScannedTag& tag : ScanTags(html)) {
        if (auto id = tag.attributes.find("id"); id != tag.attributes.end()) anchors.push_back(id->second);
        if (tag.name == "a") {
            if (auto name = tag.attributes.find("name"); name != tag.attributes.end()) anchors.push_back(name->second);
        }
    }
    return anchors;
}

std::vector<std::string> BrokenReferences(const std::string& folder, const std::string& file) {
    std::vector<std::string> broken;
    const std::string page = ReadWholeFile(folder + file);
    if (page.empty()) return {file + ": cannot be read"};
    const std::string page_folder = folder + FolderOf(file);
    for (const ScannedTag& tag : ScanTags(page)) {
        std::string reference;
        if (tag.name == "img" && tag.attributes.count("src")) reference = tag.attributes.at("src");
        else if ((tag.name == "a" || tag.name == "link") && tag.attributes.count("href")) reference = tag.attributes.at("href");
        else continue;
        if (reference.find(':') != std::string::npos) continue;
        const std::size_t hash = reference.find('#');
        const std::string target = PercentDecode(reference.substr(0, hash));
        const std::string target_path = target.empty() ? folder + file : page_folder + target;
        if (!FileExists(target_path)) {
            broken.push_back(file + ": " + reference + ": no such file");
            continue;
        }
        if (hash != std::string::npos) {
            const std::string anchor = reference.substr(hash + 1);
            const std::vector<std::string> anchors = AnchorsOf(ReadWholeFile(target_path));
            if (std::find(anchors.begin(), anchors.end(), anchor) == anchors.end())
                broken.push_back(file + ": " + reference + ": no such anchor");
        }
    }
    return broken;
}

bool IsValidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2)) return false;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

}  // namespace quillery::testing
