#pragma once
// The ePub 3 package document (content.opf inside the ePub): metadata, manifest with the
// item properties readers and validators look for, and the reading order.

#include <string>
#include <vector>

namespace quillery::epub {

struct EpubMetadata {
    std::string title, creator, language, identifier, date, publisher, subject, description;
    std::string modified;  // "CCYY-MM-DDThh:mm:ssZ"
};

struct ManifestEntry {
    std::string id;
    std::string href;  // relative to the package document, URL-encoded
    std::string mediaType;
    std::string properties;  // "nav", "cover-image", "scripted svg", ... or empty
};

struct PackageDocumentInput {
    EpubMetadata metadata;
    std::vector<ManifestEntry> manifest;
    std::vector<std::string> spine;  // ids
    std::string ncxId;               // empty when there is no NCX
    std::string coverId;             // empty when there is no cover picture
};

std::string PackageDocumentText(const PackageDocumentInput& input);

// The package identifier as a URN: a "urn:" identifier stays, an ISBN becomes "urn:isbn:",
// anything else (the default "None" too) a name-based UUID of the identifier, title and
// author, so the same book keeps the same identifier from one make to the next.
std::string IdentifierUrn(const std::string& identifier, const std::string& title,
                          const std::string& creator);

}  // namespace quillery::epub
