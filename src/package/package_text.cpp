#include "package/package_text.h"

#include "text/strings.h"

namespace quillery::package_text {

void InsertBefore(std::string& text, std::string_view marker, std::string_view block) {
    const std::size_t at = text.find(marker);
    text.insert(at == std::string::npos ? 0 : at, block);
}

std::string AttributeValue(std::string_view value) {
    return ReplaceAll(EncodeEntities(value), "\"", "&quot;");
}

std::string FileNamePart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FolderPart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace quillery::package_text
