#pragma once
// The parts of an OPF package document that a MOBI book is made of: metadata, manifest,
// spine, guide and the NCX table of contents.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "mobi/diagnostics.h"

namespace quillery::mobi {

struct ManifestItem {
    std::string id;
    std::string href;  // as written, percent-decoded
    std::string mediaType;
    std::string path;  // package-relative, normalised; empty when it points outside the folder
};

struct GuideReference {
    std::string type;
    std::string title;
    std::string href;  // package-relative path with "#fragment" kept
};

struct OpfPackage {
    std::string folder;   // the OPF's folder, ending with "/"
    std::string opfName;  // "content.opf"
    std::string title;
    std::vector<std::string> creators;
    std::string publisher;
    std::string description;
    std::vector<std::string> subjects;
    std::string date;
    std::string language;
    std::string identifier;
    std::string coverId;  // from <meta name="cover" content="...">
    std::vector<ManifestItem> manifest;
    std::vector<std::string> spine;  // manifest ids, in reading order
    std::string tocId;               // the spine's toc attribute
    std::vector<GuideReference> guide;
    // Package-relative paths of manifest items whose file is missing (each reported once,
    // when the package is read; later users leave them out without another warning).
    std::set<std::string> missingFiles;

    const ManifestItem* FindById(const std::string& id) const;
    const ManifestItem* FindByPath(const std::string& path) const;
    // The NCX document's manifest item: the spine's toc, else the item of the NCX media type.
    const ManifestItem* NcxItem() const;
};

// Reads the package document at `opfPath`. Errors (unreadable, not XML, no package
// element) are reported and give nullopt; odd items give warnings.
std::optional<OpfPackage> ReadOpfPackage(const std::string& opfPath, Diagnostics& diagnostics);

// Parses package XML text (the folder and name are filled by the caller).
std::optional<OpfPackage> ParseOpfPackage(const std::string& xml, Diagnostics& diagnostics);

}  // namespace quillery::mobi
