// The replacement-stylesheet option, "Replace Stylesheet" / "Load New" (see
// replacement_stylesheet.h).

#include "css/replacement_stylesheet.h"

namespace quillery {
namespace {

// The default replacement stylesheet the main window holds: none.
const std::string kDefaultReplacementStylesheet;

}  // namespace

std::string ChooseReplacementStylesheet(Book& book, const std::string& path) {
    book.replacementStylesheet = path;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string label = "(";
    label.append(path, 0, nameStart).append(")").append(path, nameStart);
    return label;
}

std::string SetReplaceStylesheet(Book& book, bool on) {
    book.options.replaceStylesheet = on;
    if (on) {
        book.replacementStylesheet = kDefaultReplacementStylesheet;
        return std::string(kDefaultReplacementLabel);
    }
    book.replacementStylesheet.clear();
    return {};
}

bool UsesReplacementStylesheet(const Book& book) {
    return book.options.replaceStylesheet && !book.replacementStylesheet.empty();
}

}  // namespace quillery
