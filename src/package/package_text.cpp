// Small text operations shared by the package writers (see package_text.h).

#include "package/package_text.h"

#include "text/percent_decoding.h"
#include "text/strings.h"

namespace quillery::package_text {

void InsertBefore(std::string& text, std::string_view marker, std::string_view block) {
    const std::size_t at = text.find(marker);
    text.insert(at == std::string::npos ? 0 : at, block);
}

std::string HrefValue(std::string_view path) {
    // "04 The Harbour.htm" becomes "04%20The%20Harbour.htm"; "&" is then escaped for XML.
    return ReplaceAll(PercentEncodePath(path), "&", "&amp;");
}

}  // namespace quillery::package_text
