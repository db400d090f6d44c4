// File names and URLs inside the ePub (see package_names.h).

#include "epub/package_names.h"

#include <cctype>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace quillery::epub {

namespace {

bool HasScheme(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (!(std::isalnum(c) || c == '+' || c == '-' || c == '.')) return false;
    }
    return std::isalpha(static_cast<unsigned char>(url[0])) != 0;
}

std::string LowerExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

std::string SafePackageName(std::string_view path) {
    std::string out(path);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c == 0x7F ||
            std::string_view("\"*:<>?\\|%#[]{}^`'&;=+$,@!~").find(ch) != std::string_view::npos)
            ch = '_';
    }
    return out;
}

PackageNames::PackageNames(const std::vector<std::string>& files) {
    std::set<std::string> taken(files.begin(), files.end());
    for (const std::string& file : files) {
        std::string safe = SafePackageName(file);
        // Web pages become XHTML content documents, named as such.
        const std::string pageExtension = LowerExtension(safe);
        if (pageExtension == ".htm" || pageExtension == ".html")
            safe = fs::path(safe).replace_extension(".xhtml").generic_string();
        if (safe == file) {
            renamed_[file] = file;
            continue;
        }
        const fs::path p(safe);
        const std::string stem = (p.parent_path() / p.stem()).generic_string();
        const std::string ext = p.extension().string();
        for (int n = 2; taken.count(safe); ++n) safe = stem + "-" + std::to_string(n) + ext;
        taken.insert(safe);
        renamed_[file] = safe;
    }
}

const std::string* PackageNames::Renamed(const std::string& opsPath) const {
    const auto it = renamed_.find(opsPath);
    return it == renamed_.end() ? nullptr : &it->second;
}

std::string PackageNames::RewriteUrl(std::string_view url, const std::string& opsDocument,
                                     std::vector<std::string>* referenced,
                                     std::vector<std::string>* missing) const {
    // Surrounding blanks are not part of a URL.
    while (!url.empty() && static_cast<unsigned char>(url.front()) <= 0x20) url.remove_prefix(1);
    while (!url.empty() && static_cast<unsigned char>(url.back()) <= 0x20) url.remove_suffix(1);
    if (url.empty() || url.front() == '#' || HasScheme(url) || url.starts_with("//"))
        return std::string(url);
    std::size_t end = url.find_first_of("?#");
    if (end == std::string_view::npos) end = url.size();
    const std::string path = PercentDecode(url.substr(0, end));
    const std::string rest(url.substr(end));
    const fs::path documentFolder = fs::path(opsDocument).parent_path();
    const std::string target = (documentFolder / path).lexically_normal().generic_string();
    const auto it = renamed_.find(target);
    if (it == renamed_.end()) {
        if (path.empty()) return PercentEncodePath(path) + rest;  // "?query" on this document
        if (missing) missing->push_back(target);
        return {};
    }
    if (referenced) referenced->push_back(target);
    const std::string documentNew =
        renamed_.count(opsDocument) ? renamed_.at(opsDocument) : opsDocument;
    std::string relative = fs::path(it->second)
                               .lexically_relative(fs::path(documentNew).parent_path())
                               .generic_string();
    if (relative.empty() || relative == ".") relative = fs::path(it->second).filename().string();
    return PercentEncodePath(relative) + rest;
}

std::string MediaTypeOf(const std::string& path, std::string_view b) {
    if (b.starts_with("\xFF\xD8\xFF")) return "image/jpeg";
    if (b.starts_with("\x89PNG")) return "image/png";
    if (b.starts_with("GIF8")) return "image/gif";
    if (b.starts_with("wOFF")) return "font/woff";
    if (b.starts_with("wOF2")) return "font/woff2";
    if (b.starts_with("OTTO")) return "font/otf";
    if (b.starts_with(std::string_view("\0\1\0\0", 4))) return "font/ttf";
    const std::string ext = LowerExtension(path);
    if (ext == ".htm" || ext == ".html" || ext == ".xhtml" || ext == ".xml")
        return "application/xhtml+xml";
    if (ext == ".css") return "text/css";
    if (ext == ".svg") return "image/svg+xml";
    if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
    if (ext == ".png") return "image/png";
    if (ext == ".gif") return "image/gif";
    if (ext == ".webp") return "image/webp";
    if (ext == ".ncx") return "application/x-dtbncx+xml";
    if (ext == ".js") return "application/javascript";
    if (ext == ".mp3") return "audio/mpeg";
    if (ext == ".mp4" || ext == ".m4a") return "audio/mp4";
    if (ext == ".ttf") return "font/ttf";
    if (ext == ".otf") return "font/otf";
    if (ext == ".woff") return "font/woff";
    if (ext == ".bmp") return "image/bmp";
    return {};
}

}  // namespace quillery::epub
