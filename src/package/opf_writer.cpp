// The package document content.opf (see opf_writer.h).

#include "package/opf_writer.h"

#include <ctime>

#include "package/manifest_items.h"
#include "package/package_text.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace quillery {

namespace {

// A generated contents page is in the package; a marked chapter, whatever its name, is a
// chapter and listed once.
bool HasTocPage(const Book& book) {
    return !book.tocMarked && book.tocFileName == book.packageNames.tocPage;
}

std::string FirstFile(const Book& book) {
    return book.chapters.empty() ? std::string() : book.chapters[0].file;
}

std::string PageItem(std::string_view id, std::string_view href) {
    return "\t<item id=\"" + std::string(id) + "\" href=\"" + std::string(href) +
           "\" media-type=\"application/xhtml+xml\" />\r\n\t";
}

// The id of chapter k: "n" + k.
std::string ChapterId(std::size_t k) {
    std::string id = "n";
    id += std::to_string(k);
    return id;
}

std::string ItemRef(std::string_view idref) {
    return "\t<itemref idref=\"" + std::string(idref) + "\" />\r\n\t";
}

void FillMetadataPlaceholders(std::string& opf, const Book& book) {
    const BookMetadata& m = book.metadata;
    opf = ReplaceAll(opf, "$$title$$", m.title);
    opf = ReplaceAll(opf, "$$creator$$", m.creator);
    opf = ReplaceAll(opf, "$$date$$", m.date);
    opf = ReplaceAll(opf, "$$subject$$", m.subject);
    opf = ReplaceAll(opf, "$$uid$$", m.uid);
    opf = ReplaceAll(opf, "$$lang$$", m.lang);
    opf = ReplaceAll(opf, "$$publisher$$", m.publisher);
    opf = ReplaceAll(opf, "$$description$$", m.description);
}

}  // namespace

std::string TodayIsoDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string ChapterManifestItems(const Book& book) {
    std::string block;
    const PackageNames& names = book.packageNames;
    if (!book.coverPath.empty())
        block += PageItem("coverpage", package_text::HrefValue(names.coverPage));
    if (book.options.generateTitlePage)
        block += PageItem("titlepage", package_text::HrefValue(names.titlePage));
    if (HasTocPage(book)) block += PageItem("tocpage", package_text::HrefValue(names.tocPage));
    for (std::size_t k = 0; k < book.chapters.size(); ++k) {
        block += PageItem(ChapterId(k), package_text::HrefValue(book.chapters[k].file));
    }
    return block;
}

std::string SpineItemRefs(const Book& book) {
    std::string block;
    if (!book.coverPath.empty()) block += ItemRef("coverpage");
    if (book.options.generateTitlePage) block += ItemRef("titlepage");
    for (std::size_t k = 0; k < book.chapters.size(); ++k) {
        if (static_cast<long long>(k) == static_cast<long long>(book.tocPosition) - 1 &&
            HasTocPage(book)) {
            block += ItemRef("tocpage");
        }
        block += ItemRef(ChapterId(k));
    }
    return block;
}

std::string GuideCoverReference(const Book& book) {
    const auto reference = [](const std::string& page) {
        return "\t<reference href=\"" + package_text::HrefValue(page) +
               "\" type=\"cover\" title=\"Cover\"/>\r\n\t";
    };
    if (!book.coverPath.empty()) return reference(book.packageNames.coverPage);
    if (book.options.generateTitlePage) return reference(book.packageNames.titlePage);
    return {};
}

std::string GuideStartReference(const Book& book) {
    return "\t<reference type=\"start\" title=\"Start Page\" href=\"" +
           package_text::HrefValue(FirstFile(book)) + "\"/>\r\n\t";
}

std::string GuideTocReference(Book& book) {
    if (book.tocFileName.empty()) book.tocFileName = FirstFile(book);
    std::string target = package_text::HrefValue(book.tocFileName);
    if (book.chapters.size() < 2) target += "#toc";
    return "\t<reference type=\"toc\"  title=\"Table of Contents\" href=\"" + target + "\"/>\r\n\t";
}

void WriteContentOpf(Book& book, const ResourceCollectors& collect) {
    WriteContentOpf(book, collect, TodayIsoDate());
}

void WriteContentOpf(Book& book, const ResourceCollectors& collect, std::string_view date) {
    std::string opf = ReadTextFile(book.folders.libFolder + "OPS/content.opf");
    book.metadata.date = date;
    FillMetadataPlaceholders(opf, book);

    package_text::InsertBefore(opf, "</manifest>", ChapterManifestItems(book));
    package_text::InsertBefore(opf, "</spine>", SpineItemRefs(book));
    package_text::InsertBefore(opf, "</guide>", GuideCoverReference(book));
    package_text::InsertBefore(opf, "</guide>", GuideStartReference(book));
    package_text::InsertBefore(opf, "</guide>", GuideTocReference(book));

    // A Word project keeps the stylesheet list its import set up.
    if (!book.wordImport && collect.stylesheets) {
        book.stylesheets = collect.stylesheets(book, book.folders.opsFolder);
    }
    InsertStylesheetItems(book, opf);
    if (collect.images) book.images = collect.images(book, book.folders.opsFolder);
    InsertImageItems(book, opf);
    if (collect.fonts) book.fonts = collect.fonts(book, book.folders.opsFolder);
    InsertFontItems(book, opf);

    WriteTextFile(book.folders.opsFolder + "content.opf", opf);
}

}  // namespace quillery
