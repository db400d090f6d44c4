// The book's stylesheets as they go into the package (see stylesheet_pass.h).

#include "css/stylesheet_pass.h"

#include <filesystem>
#include <system_error>

#include "css/font_classification.h"
#include "css/font_sizes.h"
#include "project/resource_sources.h"
#include "text/text_file.h"

namespace quillery {
namespace {

// An entry the pass may write: relative, and never climbing out of the OPS folder.
bool StaysInsideFolder(const std::string& entry) {
    if (entry.empty() || entry.front() == '/') return false;
    std::size_t start = 0;
    while (start <= entry.size()) {
        std::size_t slash = entry.find('/', start);
        if (slash == std::string::npos) slash = entry.size();
        if (entry.compare(start, slash - start, "..") == 0 && slash - start == 2) return false;
        start = slash + 1;
    }
    return true;
}

[[noreturn]] void Fail(Book& book, const std::string& entry, const std::string& message) {
    book.AppendLog("# " + message);
    throw StylesheetError(entry, message);
}

void WriteIntoPackage(Book& book, const std::string& entry, const std::string& text) {
    const std::string target = book.folders.opsFolder + entry;
    try {
        std::error_code ignored;  // a folder that cannot be made shows up as a write failure
        std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ignored);
        WriteTextFile(target, text);
    } catch (const std::exception& error) {
        Fail(book, entry,
             "Stylesheet \"" + entry + "\" could not be written into the book: " + error.what());
    }
}

void RewriteSizes(const Book& book, std::string& css) {
    if (book.options.adaptFontSize) {
        ConvertPointsToEm(css, book.options.baseFontSize);
    } else if (book.kindleGenSizeFlag) {
        ConvertPixelsToPoints(css);
        DoublePointSizes(css);
    }
}

}  // namespace

StylesheetError::StylesheetError(std::string stylesheet, const std::string& message)
    : std::runtime_error(message), stylesheet_(std::move(stylesheet)) {}

void ProcessStylesheets(Book& book) {
    for (const std::string& entry : book.stylesheets) {
        if (!StaysInsideFolder(entry)) {
            book.AppendLog("# Stylesheet \"" + entry +
                           "\" lies outside the book's folder and was not copied.");
            continue;
        }
        // Files from outside the source folder come from where they were found, and their
        // references follow them into the package.
        const std::string source = ResourceSourceFile(book, entry);
        std::string css = RelinkStylesheet(book, entry, source.empty() ? "" : ReadTextFile(source));
        try {
            RewriteSizes(book, css);
        } catch (const FontSizeError& error) {
            Fail(book, entry,
                 "Stylesheet \"" + entry + "\" was not processed: " + error.what() + ".");
        }
        if (book.wordImport && book.options.classifyFonts) ClassifyFontFamilies(css);
        WriteIntoPackage(book, entry, css);
    }
}

std::string ParagraphRule(const ParagraphOptions& options) {
    std::string rule = "p{";
    if (options.indent) rule += "text-indent:" + std::to_string(options.indentEm) + "em;";
    if (options.gap) rule += "margin-top:" + options.gapEm + "em;";
    if (options.lineHeight)
        rule += "line-height:" + std::to_string(options.lineHeightPercent) + "%;";
    if (options.align)
        rule += "text-align:" +
                (options.alignment == "Justified" ? std::string("justify") : options.alignment) +
                ";";
    rule += "}";
    return rule == "p{}" ? std::string() : rule;
}

void AppendParagraphRule(Book& book) {
    // Every stylesheet gets the rule: chapters linking different stylesheets are all styled.
    for (const std::string& entry : book.stylesheets) {
        if (!StaysInsideFolder(entry)) continue;  // the pass has logged and skipped it
        const std::string css = ReadTextFile(book.folders.opsFolder + entry);
        WriteIntoPackage(book, entry, css + "\r\n" + ParagraphRule(book.options.paragraph));
    }
}

}  // namespace quillery
