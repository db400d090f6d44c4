#pragma once
// Element and attribute names of package documents, read without their namespace prefix:
// packages write "dc:title" or "title", "opf:role" or "role", "ncx:navPoint" or "navPoint".

namespace quillery::mobi {

// The name without its prefix: "dc:title" -> "title", "title" -> "title".
const char* LocalName(const char* qualifiedName);

}  // namespace quillery::mobi
