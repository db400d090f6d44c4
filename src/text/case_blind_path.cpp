// Case-blind lookup of a file below a folder (see case_blind_path.h).

#include "text/case_blind_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "text/strings.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The entries of `folder` whose names equal `lowerName` without regard to case, in name order.
std::vector<fs::path> CaseBlindEntries(const fs::path& folder, const std::string& lowerName) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (LowerAscii(it->path().filename().string()) == lowerName) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string Search(const fs::path& folder, const std::vector<std::string>& segments,
                   std::size_t index) {
    if (index == segments.size()) return IsFile(folder) ? folder.string() : std::string();
    if (segments[index].empty() || segments[index] == ".")
        return Search(folder, segments, index + 1);
    if (segments[index] == "..") return Search(folder / "..", segments, index + 1);
    const fs::path exact = folder / segments[index];
    std::error_code ec;
    if (fs::exists(exact, ec)) {
        std::string hit = Search(exact, segments, index + 1);
        if (!hit.empty()) return hit;
    }
    for (const fs::path& entry : CaseBlindEntries(folder, LowerAscii(segments[index]))) {
        if (entry == exact) continue;
        std::string hit = Search(entry, segments, index + 1);
        if (!hit.empty()) return hit;
    }
    return {};
}

}  // namespace

std::string ExistingFileCaseBlind(const std::string& folder, const std::string& relative) {
    const std::string direct = folder + relative;
    if (IsFile(direct)) return direct;
    std::vector<std::string> segments;
    std::size_t start = 0;
    for (std::size_t slash = relative.find('/'); slash != std::string::npos;
         slash = relative.find('/', start)) {
        segments.push_back(relative.substr(start, slash - start));
        start = slash + 1;
    }
    segments.push_back(relative.substr(start));
    return Search(fs::path(folder.empty() ? "." : folder), segments, 0);
}

}  // namespace quillery
