// Compiles an OPF package into a MOBI 6 book in memory (see book_compiler.h).

#include "mobi/book_compiler.h"

#include <cstdlib>
#include <ctime>

#include "mobi/book_locale.h"
#include "mobi/book_pictures.h"
#include "mobi/book_text.h"
#include "mobi/book_toc.h"
#include "mobi/compiler_version.h"
#include "mobi/mobi_header.h"
#include "mobi/navigation_trailer.h"
#include "mobi/ncx_index.h"
#include "mobi/opf_package.h"
#include "mobi/package_paths.h"
#include "mobi/palm_database.h"
#include "mobi/readable_text.h"
#include "mobi/text_encoding.h"
#include "mobi/text_record_stream.h"
#include "mobi/text_records.h"
#include "mobi/thread_pool.h"
#include "text/utf8.h"

namespace quillery::mobi {
namespace {

std::uint32_t Fnv1a(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

// Build time: SOURCE_DATE_EPOCH when set, for reproducible books.
std::uint32_t BuildTime() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"))
        return static_cast<std::uint32_t>(std::strtoul(epoch, nullptr, 10));
    return static_cast<std::uint32_t>(std::time(nullptr));
}

ExthBlock BuildExth(const OpfPackage& package, const BookPictures& pictures, bool western) {
    const auto encode = [western](const std::string& text) {
        return western ? Utf8ToCp1252Label(text) : text;
    };
    ExthBlock exth;
    for (const auto& creator : package.creators) exth.AddText(kExthAuthor, encode(creator));
    exth.AddText(kExthPublisher, encode(package.publisher));
    exth.AddText(kExthDescription, encode(package.description));
    for (const auto& subject : package.subjects) exth.AddText(kExthSubject, encode(subject));
    exth.AddText(kExthPublishingDate, encode(package.date));
    if (pictures.coverIndex()) {
        exth.AddNumber(kExthCoverOffset, static_cast<std::uint32_t>(*pictures.coverIndex()));
        exth.AddNumber(kExthHasFakeCover, 0);
    }
    if (pictures.thumbnailIndex())
        exth.AddNumber(kExthThumbnailOffset,
                       static_cast<std::uint32_t>(*pictures.thumbnailIndex()));
    exth.AddNumber(kExthCreatorSoftware, 201);  // a Linux build of the compiler
    exth.AddNumber(kExthCreatorMajor, kVersionMajor);
    exth.AddNumber(kExthCreatorMinor, kVersionMinor);
    exth.AddNumber(kExthCreatorBuild, kVersionBuild);
    exth.AddText(kExthCreatorBuildTag, CompilerBanner());
    exth.AddText(kExthDocumentType, "EBOK");
    exth.AddText(kExthUpdatedTitle, encode(package.title));
    exth.AddText(kExthLanguage, package.language);
    return exth;
}

}  // namespace

std::optional<CompiledBook> CompileBook(const CompileOptions& options, Diagnostics& diagnostics) {
    auto package = ReadOpfPackage(options.opfPath, diagnostics);
    if (!package) return std::nullopt;
    if (package->spine.empty()) {
        diagnostics.Error("the spine of \"" + package->opfName + "\" names no chapter");
        return std::nullopt;
    }
    if (package->title.empty()) {
        diagnostics.Warning("the package has no title; the book is called \"Untitled\"");
        package->title = "Untitled";
    }

    const TextCompression compression = options.compressionLevel == 0   ? TextCompression::None
                                        : options.compressionLevel == 2 ? TextCompression::Huffdic
                                                                        : TextCompression::PalmDoc;

    ThreadPool pool(options.threads);
    BookPictures pictures(*package, options.pictureFormat, diagnostics);
    TextRecordStream textRecords(compression, !options.western, options.keepText, pool);
    auto book =
        AssembleBookText(*package, options.western, pictures, diagnostics, pool, textRecords);
    if (!book) return std::nullopt;
    pictures.AddCover();

    // The table of contents.
    std::vector<TocEntry> toc;
    if (const ManifestItem* ncx = package->NcxItem(); ncx && !ncx->path.empty()) {
        if (auto xml = ReadPackageFile(package->folder, ncx->path)) {
            if (!IsValidUtf8(*xml)) *xml = Cp1252ToUtf8(*xml);
            toc = BuildTocEntries(ParseNcx(*xml, ncx->path, diagnostics), book->text, diagnostics);
        } else if (!package->missingFiles.count(ncx->path)) {
            diagnostics.Warning("the table of contents \"" + ncx->href +
                                "\" cannot be read; the book has no NCX index");
        }
    } else {
        diagnostics.Warning("the package names no toc.ncx; the book has no NCX index");
    }

    CompiledBook result;
    result.packageFiles.insert(package->opfName);
    for (const auto& item : package->manifest) {
        if (!item.path.empty()) result.packageFiles.insert(item.path);
    }
    StreamedRecords streamed = textRecords.TakeRecords();
    result.text = std::move(streamed.text);
    std::vector<std::string> records;
    records.emplace_back();  // record 0, built last
    for (auto& record : streamed.textRecords) records.push_back(std::move(record));
    std::vector<std::string> huffCdicRecords = std::move(streamed.huffCdicRecords);
    result.textRecordCount = records.size() - 1;
    const std::size_t textLength = textRecords.length();
    if (!toc.empty()) AppendNavigationEntries(std::span(records).subspan(1), toc, textLength);
    records.push_back(std::string(2, '\0'));  // the padding record that ends the text

    MobiHeaderFields header;
    header.compression = compression;
    header.textLength = static_cast<std::uint32_t>(textLength);
    header.textRecordCount = static_cast<std::uint16_t>(result.textRecordCount);
    header.encoding = options.western ? 1252 : 65001;
    header.uniqueId = Fnv1a(package->identifier + package->title);
    header.locale = LocaleNumber(package->language);
    header.firstNonBookRecord = static_cast<std::uint32_t>(records.size());
    if (!toc.empty()) header.extraRecordDataFlags |= kNavigationTrailingEntry;
    // The dictionary of -c2 comes first after the text, before any record a reader might scan
    // for pictures, and inside the content records.
    if (!huffCdicRecords.empty()) {
        header.huffRecord = static_cast<std::uint32_t>(records.size());
        header.huffRecordCount = static_cast<std::uint32_t>(huffCdicRecords.size());
        for (auto& record : huffCdicRecords) records.push_back(std::move(record));
    }
    if (!toc.empty()) {
        auto indexRecords = BuildNcxIndexRecords(toc, options.western ? kIndexCp1252 : kIndexUtf8);
        if (!indexRecords.empty())
            header.ncxIndexRecord = static_cast<std::uint32_t>(records.size());
        for (auto& record : indexRecords) records.push_back(std::move(record));
    }
    const std::size_t imageCount = pictures.records().size();
    if (imageCount != 0) {
        header.firstImageRecord = static_cast<std::uint32_t>(records.size());
        for (auto& picture : pictures.TakeRecords()) records.push_back(std::move(picture));
    }
    header.lastContentRecord = static_cast<std::uint16_t>(records.size() - 1);
    // Without pictures, the record where they would begin: readers that scan from the first
    // picture find none, where an unset field makes some scan the whole book from record 0.
    if (imageCount == 0) header.firstImageRecord = header.lastContentRecord + 1u;
    header.flisRecord = static_cast<std::uint32_t>(records.size());
    records.push_back(BuildFlisRecord());
    header.fcisRecord = static_cast<std::uint32_t>(records.size());
    records.push_back(BuildFcisRecord(header.textLength));
    records.push_back(BuildEndOfFileRecord());
    header.fullName = options.western ? Utf8ToCp1252Label(package->title) : package->title;
    header.exth = BuildExth(*package, pictures, options.western);
    records[0] = BuildRecord0(header);

    if (records.size() > 0xFFFF) {
        diagnostics.Error(
            "the book needs more than 65,535 records; it is too large for the format");
        return std::nullopt;
    }
    result.imageCount = imageCount;
    result.tocEntryCount = toc.size();
    if (options.verbose) {
        diagnostics.Info(std::to_string(book->chapters.size()) + " chapters, " +
                         std::to_string(textLength) + " bytes of text in " +
                         std::to_string(result.textRecordCount) + " records, " +
                         std::to_string(result.imageCount) + " image records, " +
                         std::to_string(toc.size()) + " table of contents entries");
        if (pictures.coverIndex())
            diagnostics.Info("cover picture: \"" + pictures.coverPath() + "\"");
    }
    result.file =
        BuildPalmDatabase(PalmDatabaseName(package->title), std::move(records), BuildTime());
    return result;
}

}  // namespace quillery::mobi
