#pragma once
// The pictures of a .docx as Word's HTML save writes them: numbered image001, image002, ...
// in the order they appear, JPEG kept as it is, every other raster picture as PNG or GIF
// (the "Graphics as" option), EMF/WMF drawings and unreadable pictures left out with a log
// line. Internal to the converter.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillery::docx {

enum class PictureFormat { Gif, Png };

struct PictureFile {
    std::string name;  // "image001.png"
    std::string data;
};

class PictureStore {
public:
    explicit PictureStore(PictureFormat format) : format_(format) {}

    // The file name for the picture stored in the package part partName; the same part
    // always gives the same file. Nothing when the picture is left out (a line then goes to
    // log). read gives the part's bytes (or nothing when missing).
    template <typename Read>
    std::optional<std::string> Add(const std::string& partName, Read read,
                                   std::vector<std::string>& log) {
        if (const auto known = names_.find(partName); known != names_.end()) return known->second;
        std::optional<std::string> data = read(partName);
        std::optional<std::string> name =
            data ? Store(partName, std::move(*data), log) : std::nullopt;
        if (!data)
            log.push_back("Picture " + partName +
                          " is missing from the document and was left out.");
        names_[partName] = name;
        return name;
    }

    const std::vector<PictureFile>& files() const { return files_; }

private:
    std::optional<std::string> Store(const std::string& partName, std::string data,
                                     std::vector<std::string>& log);

    PictureFormat format_;
    std::map<std::string, std::optional<std::string>> names_;
    std::vector<PictureFile> files_;
};

}  // namespace quillery::docx
