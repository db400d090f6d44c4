// The manifest items of content.opf for the stylesheets, the cover picture and the images (see
// manifest_items.h).

#include "package/manifest_items.h"

#include <filesystem>

#include "package/package_names.h"
#include "package/package_text.h"
#include "package/picture_signature.h"
#include "project/command_runner.h"
#include "project/resource_sources.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "text/strings.h"

namespace fs = std::filesystem;

#include "text/text_file.h"

namespace quillery {

namespace {

std::string LowerExtension(std::string_view path) {
    const std::string name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerAscii(name.substr(dot + 1));
}

// Creates the folder part of a relative entry inside the OPS folder; true when that folder
// exists afterwards (a plain file name needs none).
bool EnsureOpsSubfolder(const Book& book, const std::string& entry) {
    const std::string folder = FolderOf(entry);
    if (folder.empty()) return true;
    const std::string full = book.folders.opsFolder + folder;
    std::error_code ec;
    fs::create_directories(full, ec);
    return FolderExists(full);
}

// The subtype told by the extension unless one is given (found by the file's signature).
std::string ImageItem(std::string_view id, std::string_view href, std::string subtype = {}) {
    if (subtype.empty()) subtype = ImageMediaSubtype(href);
    return "\t<item id=\"" + std::string(id) + "\" href=\"" + package_text::HrefValue(href) +
           "\" media-type=\"image/" + subtype + "\" />\r\n\t";
}

}  // namespace

std::string ImageMediaSubtype(std::string_view path) {
    const std::string ext = LowerExtension(path);
    if (ext == "jpg" || ext == "jpe" || ext == "jpeg") return "jpeg";
    if (ext == "png" || ext == "gif" || ext == "bmp" || ext == "webp") return ext;
    if (ext == "svg") return "svg+xml";
    if (ext == "tif" || ext == "tiff") return "tiff";
    return {};
}

std::string StylesheetManifestItems(Book& book) {
    std::string block;
    const std::string replacement =
        book.replacementStylesheet.empty() ? std::string() : ReplacementStylesheetName(book);
    if (!replacement.empty()) {
        block += "\t\t<item id=\"style\" href=\"" + package_text::HrefValue(replacement) +
                 "\" media-type=\"text/css\" />\r\n";
    }
    for (std::size_t k = 0; k < book.stylesheets.size(); ++k) {
        const std::string& entry = book.stylesheets[k];
        if (entry == replacement) continue;  // the same file, listed once
        // A page written on a case-blind system may name "STYLE.CSS" for "style.css".
        if (ResourceSourceFile(book, entry).empty() && entry != book.packageNames.bookStylesheet) {
            book.AppendLog(entry + "does not exist, give up");
            continue;
        }
        EnsureOpsSubfolder(book, entry);
        block += "\t\t<item id=\"css" + std::to_string(k) + "\" href=\"" +
                 package_text::HrefValue(entry) + "\" media-type=\"text/css\" />\r\n";
    }
    return block;
}

std::string ImageManifestItems(Book& book) {
    std::string block;
    const std::string cover = book.coverPath.empty() ? std::string() : CoverPictureName(book);
    if (!cover.empty()) block += ImageItem("coverPic", cover);
    for (std::size_t k = 0; k < book.images.size(); ++k) {
        const std::string& entry = book.images[k];
        if (entry == cover) continue;  // the cover picture itself: listed once
        // Found without regard to letter case, packaged under the name the chapters use.
        const std::string found = ResourceSourceFile(book, entry);
        if (found.empty()) {
            book.AppendLog(entry + "does not exist");
            continue;
        }
        std::string subtype = ImageMediaSubtype(entry);
        if (subtype.empty()) subtype = PictureSubtypeBySignature(found);
        // Readers and the compiler take JPEG, PNG, GIF, BMP and SVG; anything else is named.
        if (subtype.empty() || subtype == "tiff" || subtype == "webp") {
            book.AppendLog("# Picture " + entry +
                           " is not a JPEG, PNG, GIF, BMP or SVG picture and was left out.");
            continue;
        }
        // A converted picture was written into the package by the make.
        if (found != book.folders.opsFolder + entry && EnsureOpsSubfolder(book, entry))
            CopyFile(found, book.folders.opsFolder + entry);
        block += ImageItem("img" + std::to_string(k), entry, subtype);
    }
    return block;
}

std::string FontMediaType(const std::string& path) {
    const std::string bytes = ReadFileHead(path, 4);
    if (bytes == "wOFF") return "font/woff";
    if (bytes == "wOF2") return "font/woff2";
    if (bytes == "OTTO") return "font/otf";
    if (bytes == std::string_view("\0\1\0\0", 4) || bytes == "true" || bytes == "ttcf")
        return "font/ttf";
    return {};
}

std::string FontManifestItems(Book& book) {
    std::string block;
    for (std::size_t k = 0; k < book.fonts.size(); ++k) {
        const std::string& entry = book.fonts[k];
        const std::string found = ResourceSourceFile(book, entry);
        if (found.empty()) {
            book.AppendLog(entry + "does not exist");
            continue;
        }
        const std::string mediaType = FontMediaType(found);
        if (mediaType.empty()) {
            book.AppendLog("# Font " + entry +
                           " is not a TrueType, OpenType or WOFF font and was left out.");
            continue;
        }
        if (EnsureOpsSubfolder(book, entry)) CopyFile(found, book.folders.opsFolder + entry);
        block += "\t<item id=\"font" + std::to_string(k) + "\" href=\"" +
                 package_text::HrefValue(entry) + "\" media-type=\"" + mediaType + "\" />\r\n\t";
    }
    return block;
}

void InsertStylesheetItems(Book& book, std::string& opf) {
    const std::string block = StylesheetManifestItems(book);
    if (!block.empty()) package_text::InsertBefore(opf, "</manifest>", block);
}

void InsertImageItems(Book& book, std::string& opf) {
    const std::string block = ImageManifestItems(book);
    if (!block.empty()) package_text::InsertBefore(opf, "</manifest>", block);
}

void InsertFontItems(Book& book, std::string& opf) {
    const std::string block = FontManifestItems(book);
    if (!block.empty()) package_text::InsertBefore(opf, "</manifest>", block);
}

}  // namespace quillery
