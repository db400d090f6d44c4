// The parts of an OPF package document that a MOBI book is made of (see opf_package.h).

#include "mobi/opf_package.h"

#include <strings.h>

#include <cstring>
#include <filesystem>
#include <pugixml.hpp>

#include "mobi/package_paths.h"
#include "mobi/text_encoding.h"
#include "mobi/xml_names.h"
#include "text/utf8.h"

namespace quillery::mobi {
namespace {

// Names compare without regard to case: older packages write "dc:Title".
bool IsNamed(const pugi::xml_node& node, const char* local) {
    return strcasecmp(LocalName(node.name()), local) == 0;
}

pugi::xml_node Child(const pugi::xml_node& parent, const char* local) {
    for (auto child : parent.children()) {
        if (child.type() == pugi::node_element && IsNamed(child, local)) return child;
    }
    return {};
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string TextOf(const pugi::xml_node& node) { return Trimmed(node.child_value()); }

// Attribute by local name, so that "opf:role" and "role" both match.
const char* AttributeValue(const pugi::xml_node& node, const char* local) {
    for (auto attribute : node.attributes()) {
        if (std::strcmp(LocalName(attribute.name()), local) == 0) return attribute.value();
    }
    return "";
}

void ReadMetadata(const pugi::xml_node& metadata, OpfPackage& package) {
    // Metadata may sit directly in <metadata> or in the older <dc-metadata>/<x-metadata>.
    for (auto node : metadata.children()) {
        if (node.type() != pugi::node_element) continue;
        if (IsNamed(node, "dc-metadata") || IsNamed(node, "x-metadata")) {
            ReadMetadata(node, package);
            continue;
        }
        const std::string value = TextOf(node);
        if (IsNamed(node, "title")) {
            if (package.title.empty()) package.title = value;
        } else if (IsNamed(node, "creator")) {
            if (!value.empty()) package.creators.push_back(value);
        } else if (IsNamed(node, "publisher")) {
            if (package.publisher.empty()) package.publisher = value;
        } else if (IsNamed(node, "description")) {
            if (package.description.empty()) package.description = value;
        } else if (IsNamed(node, "subject")) {
            if (!value.empty()) package.subjects.push_back(value);
        } else if (IsNamed(node, "date")) {
            if (package.date.empty()) package.date = value;
        } else if (IsNamed(node, "language")) {
            if (package.language.empty()) package.language = value;
        } else if (IsNamed(node, "identifier")) {
            if (package.identifier.empty()) package.identifier = value;
        } else if (IsNamed(node, "meta")) {
            if (std::strcmp(AttributeValue(node, "name"), "cover") == 0)
                package.coverId = AttributeValue(node, "content");
        }
    }
}

}  // namespace

const ManifestItem* OpfPackage::FindById(const std::string& id) const {
    for (const auto& item : manifest) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

const ManifestItem* OpfPackage::FindByPath(const std::string& path) const {
    for (const auto& item : manifest) {
        if (!item.path.empty() && item.path == path) return &item;
    }
    return nullptr;
}

const ManifestItem* OpfPackage::NcxItem() const {
    if (!tocId.empty()) {
        if (const auto* item = FindById(tocId)) return item;
    }
    for (const auto& item : manifest) {
        if (item.mediaType == "application/x-dtbncx+xml") return &item;
    }
    return nullptr;
}

std::optional<OpfPackage> ParseOpfPackage(const std::string& xml, Diagnostics& diagnostics) {
    pugi::xml_document document;
    const auto parsed =
        document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        diagnostics.Error(std::string("the package document is not well-formed XML: ") +
                          parsed.description() + " at byte " + std::to_string(parsed.offset));
        return std::nullopt;
    }
    const auto root = document.document_element();
    if (!IsNamed(root, "package")) {
        diagnostics.Error("the package document has no <package> element");
        return std::nullopt;
    }
    OpfPackage package;
    if (auto metadata = Child(root, "metadata")) ReadMetadata(metadata, package);

    for (auto node : Child(root, "manifest").children()) {
        if (node.type() != pugi::node_element || !IsNamed(node, "item")) continue;
        ManifestItem item;
        item.id = AttributeValue(node, "id");
        item.href = PercentDecode(AttributeValue(node, "href"));
        item.mediaType = AttributeValue(node, "media-type");
        if (auto resolved = ResolveInPackage("", SplitHref(item.href).path)) {
            item.path = *resolved;
        } else {
            diagnostics.Warning("manifest item \"" + item.id + "\" names \"" + item.href +
                                "\", which is outside the package folder; it is ignored");
        }
        package.manifest.push_back(std::move(item));
    }

    const auto spine = Child(root, "spine");
    package.tocId = AttributeValue(spine, "toc");
    for (auto node : spine.children()) {
        if (node.type() != pugi::node_element || !IsNamed(node, "itemref")) continue;
        const std::string idref = AttributeValue(node, "idref");
        if (!package.FindById(idref)) {
            diagnostics.Warning("spine item \"" + idref +
                                "\" is not in the manifest; it is skipped");
            continue;
        }
        package.spine.push_back(idref);
    }

    for (auto node : Child(root, "guide").children()) {
        if (node.type() != pugi::node_element || !IsNamed(node, "reference")) continue;
        GuideReference reference;
        reference.type = AttributeValue(node, "type");
        reference.title = AttributeValue(node, "title");
        const auto parts = SplitHref(PercentDecode(AttributeValue(node, "href")));
        const auto resolved = ResolveInPackage("", parts.path);
        if (!resolved) continue;
        reference.href = *resolved + (parts.fragment.empty() ? "" : "#" + parts.fragment);
        package.guide.push_back(std::move(reference));
    }
    return package;
}

std::optional<OpfPackage> ReadOpfPackage(const std::string& opfPath, Diagnostics& diagnostics) {
    const auto text = ReadWholeFile(opfPath);
    if (!text) {
        diagnostics.Error("cannot read the package document \"" + opfPath + "\"");
        return std::nullopt;
    }
    // Package documents in a single-byte code page are read as Windows-1252.
    auto package = ParseOpfPackage(IsValidUtf8(*text) ? *text : Cp1252ToUtf8(*text), diagnostics);
    if (!package) return std::nullopt;
    const auto slash = opfPath.rfind('/');
    package->folder = slash == std::string::npos ? std::string("./") : opfPath.substr(0, slash + 1);
    package->opfName = slash == std::string::npos ? opfPath : opfPath.substr(slash + 1);
    for (const auto& item : package->manifest) {
        if (item.path.empty() || package->missingFiles.count(item.path)) continue;
        const auto path = PackageFilePath(package->folder, item.path);
        std::error_code ec;
        if (path && std::filesystem::exists(*path, ec)) continue;
        package->missingFiles.insert(item.path);
        diagnostics.Warning("file \"" + item.href + "\" named by the manifest " +
                            (path ? "does not exist" : "lies outside the package folder") +
                            "; it is left out");
    }
    return package;
}

}  // namespace quillery::mobi
