#pragma once
// The Word CSS cleanup: Word's style block reduced to the rules a book needs (font and page
// definitions, at-rules, mso- properties and rules for classes the body never uses go;
// paragraph rules get a left alignment and margins when they have none).

#include <string>
#include <string_view>

namespace quillery {

// Cleans css, the text of Word's style block; body is the document's body text, which
// decides which class rules are in use.
std::string CleanWordCss(std::string_view css, std::string_view body);

}  // namespace quillery
