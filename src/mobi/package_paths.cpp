// Paths inside an OPF package (see package_paths.h).

#include "mobi/package_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

namespace quillery::mobi {

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
            hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

HrefParts SplitHref(std::string_view href) {
    const auto hash = href.find('#');
    if (hash == std::string_view::npos) return {std::string(href), {}};
    return {std::string(href.substr(0, hash)), std::string(href.substr(hash + 1))};
}

HrefParts DecodedHref(std::string_view href) {
    HrefParts parts = SplitHref(href);
    return {PercentDecode(parts.path), PercentDecode(parts.fragment)};
}

bool HasScheme(std::string_view href) {
    for (std::size_t i = 0; i < href.size(); ++i) {
        const char c = href[i];
        if (c == ':') return i > 0;
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'))
            return false;
    }
    return false;
}

std::optional<std::string> ResolveInPackage(std::string_view baseFolder, std::string_view href) {
    if (href.empty() || href.front() == '/' || href.front() == '\\' || HasScheme(href))
        return std::nullopt;
    std::string joined = std::string(baseFolder) + std::string(href);
    for (char& c : joined) {
        if (c == '\\') c = '/';
    }
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= joined.size()) {
        auto slash = joined.find('/', start);
        if (slash == std::string::npos) slash = joined.size();
        const std::string segment = joined.substr(start, slash - start);
        if (segment == "..") {
            if (segments.empty()) return std::nullopt;
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    if (segments.empty()) return std::nullopt;
    std::string out;
    for (const auto& s : segments) {
        if (!out.empty()) out += '/';
        out += s;
    }
    return out;
}

bool IsReadablePackageFile(const std::string& folder, const std::string& relativePath) {
    const auto path = PackageFilePath(folder, relativePath);
    std::error_code ec;
    return path && std::filesystem::is_regular_file(*path, ec) && access(path->c_str(), R_OK) == 0;
}

namespace {

// True when every folder and the file named by `relativePath` (plain names, no "." or "..")
// exist below `folder` and none is a symbolic link: the file then lies inside the folder, as
// the whole check below would find, at one status look-up per name rather than the dozen or
// so of resolving both paths. False when it cannot tell.
bool PlainlyInside(const std::string& folder, const std::string& relativePath) {
    if (relativePath.empty() || relativePath.front() == '/') return false;
    std::string path = folder.empty() ? std::string("./") : folder;
    if (path.back() != '/') path += '/';
    std::size_t start = 0;
    while (start <= relativePath.size()) {
        std::size_t slash = relativePath.find('/', start);
        if (slash == std::string::npos) slash = relativePath.size();
        const std::string_view name(relativePath.data() + start, slash - start);
        if (name.empty() || name == "." || name == "..") return false;
        path.append(name);
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || S_ISLNK(status.st_mode)) return false;
        path += '/';
        start = slash + 1;
    }
    return true;
}

}  // namespace

std::optional<std::string> PackageFilePath(const std::string& folder,
                                           const std::string& relativePath) {
    if (PlainlyInside(folder, relativePath)) return folder + relativePath;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path root = fs::canonical(folder.empty() ? std::string(".") : folder, ec);
    if (ec) return std::nullopt;
    const fs::path full = fs::weakly_canonical(
        fs::path(folder.empty() ? std::string(".") : folder) / relativePath, ec);
    if (ec) return std::nullopt;
    const auto mismatch = std::mismatch(root.begin(), root.end(), full.begin(), full.end());
    if (mismatch.first != root.end()) return std::nullopt;
    return folder + relativePath;
}

std::optional<std::string> ReadPackageFile(const std::string& folder,
                                           const std::string& relativePath) {
    const auto path = PackageFilePath(folder, relativePath);
    if (!path) return std::nullopt;
    return ReadWholeFile(*path);
}

namespace {

// Reads up to `limit` bytes of a regular file.
std::optional<std::string> ReadRegularFile(const std::string& path, std::uintmax_t limit) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // Read into a string of the file's size (no second copy); a file that grows meanwhile is
    // read to its end in chunks all the same.
    const auto size = std::filesystem::file_size(path, ec);
    std::string bytes;
    if (!ec && size > 0) {
        bytes.resize(static_cast<std::size_t>(std::min(size, limit)));
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    char chunk[65536];
    while (bytes.size() < limit && in) {
        const auto wanted = static_cast<std::streamsize>(
            std::min<std::uintmax_t>(sizeof chunk, limit - bytes.size()));
        in.read(chunk, wanted);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    return ReadRegularFile(path, std::numeric_limits<std::uintmax_t>::max());
}

std::optional<std::string> ReadFileHead(const std::string& path, std::size_t count) {
    return ReadRegularFile(path, count);
}

std::optional<std::uintmax_t> FileSize(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

}  // namespace quillery::mobi
