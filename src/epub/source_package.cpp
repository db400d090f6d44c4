// Reads the make's content.opf (see source_package.h).

#include "epub/source_package.h"

#include <pugixml.hpp>
#include <stdexcept>

#include "epub/package_names.h"

namespace quillery::epub {

namespace {

// The first child element with this local name (any namespace prefix).
pugi::xml_node ChildNamed(pugi::xml_node parent, std::string_view localName) {
    for (pugi::xml_node child : parent.children()) {
        std::string_view name = child.name();
        if (const auto colon = name.find(':'); colon != std::string_view::npos)
            name.remove_prefix(colon + 1);
        if (name == localName) return child;
    }
    return {};
}

std::string TextOf(pugi::xml_node metadata, std::string_view localName) {
    return ChildNamed(metadata, localName).child_value();
}

}  // namespace

SourcePackage ReadSourcePackage(const std::string& opsFolder) {
    const std::string file = opsFolder + "content.opf";
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(file.c_str());
    if (!parsed) throw std::runtime_error("Cannot read " + file + ": " + parsed.description());
    const pugi::xml_node package = ChildNamed(doc, "package");
    const pugi::xml_node metadata = ChildNamed(package, "metadata");

    SourcePackage source;
    source.title = TextOf(metadata, "title");
    source.creator = TextOf(metadata, "creator");
    source.date = TextOf(metadata, "date");
    source.language = TextOf(metadata, "language");
    source.identifier = TextOf(metadata, "identifier");
    source.publisher = TextOf(metadata, "publisher");
    source.subject = TextOf(metadata, "subject");
    source.description = TextOf(metadata, "description");
    for (pugi::xml_node meta : metadata.children("meta")) {
        if (std::string_view(meta.attribute("name").value()) == "cover")
            source.coverId = meta.attribute("content").value();
    }
    for (pugi::xml_node item : ChildNamed(package, "manifest").children("item")) {
        source.manifest.push_back({item.attribute("id").value(),
                                   PercentDecode(item.attribute("href").value()),
                                   item.attribute("media-type").value()});
    }
    const pugi::xml_node spine = ChildNamed(package, "spine");
    const std::string ncxId = spine.attribute("toc").value();
    for (pugi::xml_node itemref : spine.children("itemref"))
        source.spine.push_back(itemref.attribute("idref").value());
    for (const SourceItem& item : source.manifest)
        if (!ncxId.empty() && item.id == ncxId) source.ncxPath = item.path;
    return source;
}

}  // namespace quillery::epub
