#pragma once
// The OPS package as the make laid it out, read back from its content.opf: the manifest,
// the reading order, the cover picture and the metadata the package document holds.

#include <string>
#include <vector>

namespace quillery::epub {

struct SourceItem {
    std::string id;
    std::string path;       // relative to the OPS folder, decoded, "/" separated
    std::string mediaType;  // as content.opf declares it
};

struct SourcePackage {
    std::vector<SourceItem> manifest;
    std::vector<std::string> spine;  // item ids in reading order
    std::string coverId;             // the item the cover meta names; empty without a cover
    std::string ncxPath;             // the NCX named by the spine; empty when there is none
    // Metadata as plain text (the package's escapes resolved).
    std::string title, creator, date, language, identifier, publisher, subject, description;
};

// Reads opsFolder + "content.opf". Throws std::runtime_error naming the file when it is
// missing or not well-formed.
SourcePackage ReadSourcePackage(const std::string& opsFolder);

}  // namespace quillery::epub
