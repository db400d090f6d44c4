#pragma once
// Paths inside an OPF package: hrefs are resolved against the file that names them and
// must stay inside the package folder.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillery::mobi {

// "%20" and the like decoded.
std::string PercentDecode(std::string_view text);

// The href split at '#': {path part, fragment}.
struct HrefParts {
    std::string path;
    std::string fragment;
};
HrefParts SplitHref(std::string_view href);

// The href split at its first '#', then each part percent-decoded: an encoded "%23" is a
// character of the name, never the start of a fragment.
HrefParts DecodedHref(std::string_view href);

// True for "http:", "mailto:" and other addresses with a scheme.
bool HasScheme(std::string_view href);

// Resolves `href` (without fragment, percent-decoded) against the package-relative folder
// `baseFolder` ("" or "text/") and normalises "." and ".." segments. nullopt when the
// result would leave the package folder or the href is absolute.
std::optional<std::string> ResolveInPackage(std::string_view baseFolder, std::string_view href);

// True for a regular file inside the package folder that this process may read.
bool IsReadablePackageFile(const std::string& folder, const std::string& relativePath);

// The full path of a package-relative file, or nullopt when it does not lie inside the
// package folder once symbolic links are followed (a link may not lead out of the package).
std::optional<std::string> PackageFilePath(const std::string& folder,
                                           const std::string& relativePath);

// A package-relative file read whole; nullopt when it cannot be read or lies outside.
std::optional<std::string> ReadPackageFile(const std::string& folder,
                                           const std::string& relativePath);

// Reads a whole file; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The first `count` bytes of a regular file (fewer when it is shorter); nullopt when it cannot
// be read.
std::optional<std::string> ReadFileHead(const std::string& path, std::size_t count);

// The size of a regular file; nullopt when it is none.
std::optional<std::uintmax_t> FileSize(const std::string& path);

}  // namespace quillery::mobi
