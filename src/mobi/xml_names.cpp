// Element and attribute names of package documents, read without their namespace prefix (see
// xml_names.h).

#include "mobi/xml_names.h"

#include <cstring>

namespace quillery::mobi {

const char* LocalName(const char* qualifiedName) {
    const char* colon = std::strrchr(qualifiedName, ':');
    return colon ? colon + 1 : qualifiedName;
}

}  // namespace quillery::mobi
