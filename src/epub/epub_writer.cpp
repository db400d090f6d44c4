// The ePub writer (see epub_writer.h).

#include "epub/epub_writer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <exception>
#include <filesystem>
#include <map>
#include <set>
#include <thread>

#include "epub/deflated_bytes.h"
#include "epub/navigation.h"
#include "epub/package_names.h"
#include "epub/source_package.h"
#include "epub/xhtml_conversion.h"
#include "epub/zip_container.h"
#include "project/book.h"
#include "text/css_references.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::epub {

namespace {

constexpr const char* kContainerXml =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
    "  <rootfiles>\n"
    "    <rootfile full-path=\"OPS/content.opf\" media-type=\"application/oebps-package+xml\"/>\n"
    "  </rootfiles>\n"
    "</container>\n";

// The Book's metadata escapes "&", "<" and ">" once; this undoes exactly that.
std::string Unescaped(const std::string& text) {
    return ReplaceAll(ReplaceAll(ReplaceAll(text, "&lt;", "<"), "&gt;", ">"), "&amp;", "&");
}

std::string NowUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Every file of the OPS folder, relative and "/" separated, but the make's own package
// document and the compiled books.
std::vector<std::string> PackageFiles(const std::string& opsFolder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(opsFolder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string relative = it->path().lexically_relative(opsFolder).generic_string();
        const std::string ext = LowerAscii(it->path().extension().string());
        if (relative == "content.opf" || ext == ".mobi" || ext == ".azw3") continue;
        files.push_back(relative);
    }
    return files;
}

bool IsCompressedPicture(const std::string& mediaType) {
    return mediaType == "image/jpeg" || mediaType == "image/png" || mediaType == "image/gif" ||
           mediaType == "image/webp";
}

// A name not taken by any file of the package, for the navigation document.
std::string FreeName(const std::string& folder, const std::string& stem,
                     const std::set<std::string>& taken) {
    std::string name = folder + stem + ".xhtml";
    for (int n = 2; taken.count(name); ++n) name = folder + stem + std::to_string(n) + ".xhtml";
    return name;
}

class EpubAssembly {
public:
    EpubAssembly(const std::string& opsFolder, const SourcePackage& source,
                 const PackageNames& names)
        : ops_(opsFolder), names_(names) {
        for (const SourceItem& item : source.manifest) declaredIds_[item.path] = item.id;
    }

    // Adds a file of the package (once) with its media type; documents are converted,
    // stylesheets have their URLs rewritten. Returns its manifest id, empty when the file is
    // not there.
    std::string Add(const std::string& path, std::string id, const std::string& language) {
        if (const auto known = ids_.find(path); known != ids_.end()) return known->second;
        const std::string* renamed = names_.Renamed(path);
        if (!renamed) return {};
        const std::string full = ops_ + path;
        std::string mediaType = MediaTypeOf(path, ReadFileHead(full, 16));
        if (mediaType.empty()) return {};
        if (id.empty() && declaredIds_.count(path)) id = declaredIds_.at(path);
        if (id.empty() || usedIds_.count(id)) id = "item" + std::to_string(usedIds_.size() + 1);
        usedIds_.insert(id);
        ids_[path] = id;
        ManifestEntry entry{id, PercentEncodePath(*renamed), mediaType, {}};
        std::vector<std::string> referenced;
        if (mediaType == "application/xhtml+xml") {
            auto done = converted_.find(path);
            ConvertedPage page =
                done != converted_.end() ? std::move(done->second) : ConvertPage(path, language);
            if (done != converted_.end()) converted_.erase(done);
            referenced = std::move(page.referenced);
            missing_.insert(missing_.end(), page.missing.begin(), page.missing.end());
            XhtmlDocument& doc = page.doc;
            std::string properties;
            if (doc.scripted) properties += "scripted ";
            if (doc.svg) properties += "svg ";
            if (doc.mathml) properties += "mathml ";
            if (!properties.empty()) properties.pop_back();
            entry.properties = properties;
            zip_.AddDeflated("OPS/" + *renamed, std::move(page.deflated));
            documents_.push_back(id);
        } else if (mediaType == "text/css") {
            zip_.AddText("OPS/" + *renamed,
                         RewriteCssReferences(ReadTextFile(full), [&](const CssReference& r) {
                             return std::optional<std::string>(
                                 names_.RewriteUrl(r.url, path, &referenced, &missing_));
                         }));
        } else {
            zip_.AddFile("OPS/" + *renamed, full, !IsCompressedPicture(mediaType));
        }
        manifest_.push_back(std::move(entry));
        // What this file uses goes in too, even when content.opf did not list it.
        for (const std::string& target : referenced) Add(target, {}, language);
        return id;
    }

    // Converts and deflates the pages ahead, on as many threads as there are cores (each page
    // is parsed on its own), so that Add only collects them.
    void ConvertAhead(const std::vector<std::string>& paths, const std::string& language) {
        std::vector<ConvertedPage> pages(paths.size());
        std::vector<std::exception_ptr> errors(paths.size());
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t i; (i = next++) < paths.size();) {
                try {
                    pages[i] = ConvertPage(paths[i], language);
                } catch (...) {
                    errors[i] = std::current_exception();
                }
            }
        };
        const unsigned helpers = std::min(std::thread::hardware_concurrency(), 8u);
        std::vector<std::thread> threads;
        for (unsigned t = 1; t < helpers; ++t) threads.emplace_back(work);
        work();
        for (std::thread& t : threads) t.join();
        for (std::size_t i = 0; i < paths.size(); ++i) {
            if (errors[i]) std::rethrow_exception(errors[i]);
            converted_[paths[i]] = std::move(pages[i]);
        }
    }

    std::vector<ManifestEntry>& Manifest() { return manifest_; }
    const std::vector<std::string>& Documents() const { return documents_; }
    ZipContainer& Zip() { return zip_; }
    bool Reserve(const std::string& id) { return usedIds_.insert(id).second; }
    std::vector<std::string> Missing() const {
        std::set<std::string> unique(missing_.begin(), missing_.end());
        return {unique.begin(), unique.end()};
    }

private:
    struct ConvertedPage {
        XhtmlDocument doc;                    // its text moved into deflated
        DeflatedBytes deflated;               // the page as it goes into the container
        std::vector<std::string> referenced;  // package files the page uses
        std::vector<std::string> missing;     // files it refers to that are not there
    };

    ConvertedPage ConvertPage(const std::string& path, const std::string& language) const {
        ConvertedPage page;
        XhtmlOptions options;
        options.language = language;
        options.fallbackTitle = fs::path(path).stem().string();
        options.rewriteUrl = [&](std::string_view url) {
            return names_.RewriteUrl(url, path, &page.referenced, &page.missing);
        };
        page.doc = ConvertToXhtml(ReadTextFile(ops_ + path), options);
        page.deflated = Deflate(page.doc.text);
        page.doc.text.clear();
        page.doc.text.shrink_to_fit();
        return page;
    }

    std::map<std::string, ConvertedPage> converted_;
    std::string ops_;
    std::map<std::string, std::string> declaredIds_;  // OPS path -> id in content.opf
    const PackageNames& names_;
    std::map<std::string, std::string> ids_;  // OPS path -> manifest id
    std::set<std::string> usedIds_;
    std::vector<ManifestEntry> manifest_;
    std::vector<std::string> missing_;    // referenced files the package does not hold
    std::vector<std::string> documents_;  // ids of the content documents, in the order added
    ZipContainer zip_;
};

}  // namespace

EpubMetadata MetadataFromBook(const Book& book) {
    const BookMetadata& m = book.metadata;
    EpubMetadata e;
    e.title = Unescaped(m.title);
    e.creator = Unescaped(m.creator);
    e.language = m.lang;
    e.date = m.date;
    e.publisher = Unescaped(m.publisher);
    e.subject = Unescaped(m.subject);
    e.description = Unescaped(m.description);
    e.identifier = Unescaped(m.uid);
    return e;
}

std::string EpubPathFor(const std::string& mobiPath) {
    fs::path p(mobiPath);
    p.replace_extension(".epub");
    return p.string();
}

std::vector<std::string> WriteEpub(const std::string& opsFolder, EpubMetadata metadata,
                                   const std::string& tocTitle, const std::string& epubPath) {
    const SourcePackage source = ReadSourcePackage(opsFolder);
    const auto fill = [](std::string& value, const std::string& fallback) {
        if (Trim(value).empty()) value = fallback;
    };
    fill(metadata.title, source.title);
    fill(metadata.creator, source.creator);
    fill(metadata.language, source.language);
    fill(metadata.language, "en");
    fill(metadata.date, source.date);
    fill(metadata.identifier, source.identifier);
    fill(metadata.publisher, source.publisher);
    fill(metadata.subject, source.subject);
    fill(metadata.description, source.description);
    fill(metadata.title, "Untitled");
    metadata.identifier = IdentifierUrn(metadata.identifier, metadata.title, metadata.creator);
    if (metadata.modified.empty()) metadata.modified = NowUtc();

    const std::vector<std::string> files = PackageFiles(opsFolder);
    const PackageNames names(files);
    EpubAssembly assembly(opsFolder, source, names);
    assembly.Zip().AddText("mimetype", "application/epub+zip");
    assembly.Zip().AddText("META-INF/container.xml", kContainerXml);

    PackageDocumentInput package;
    package.metadata = metadata;
    // The reading order first, so chapters keep their ids; then the rest of the manifest.
    std::map<std::string, const SourceItem*> byId;
    for (const SourceItem& item : source.manifest) byId[item.id] = &item;
    if (!source.ncxPath.empty()) assembly.Reserve("ncx");
    std::vector<std::string> pages;
    for (const SourceItem& item : source.manifest) {
        if (names.Renamed(item.path) && LowerAscii(item.mediaType) == "application/xhtml+xml")
            pages.push_back(item.path);
    }
    assembly.ConvertAhead(pages, metadata.language);
    for (const std::string& idref : source.spine) {
        const auto it = byId.find(idref);
        if (it == byId.end()) continue;
        const std::string id = assembly.Add(it->second->path, it->second->id, metadata.language);
        if (!id.empty()) package.spine.push_back(id);
    }
    for (const SourceItem& item : source.manifest) {
        if (item.path == source.ncxPath) continue;
        const std::string id = assembly.Add(item.path, item.id, metadata.language);
        if (item.id == source.coverId && !id.empty()) package.coverId = id;
    }
    // A document reached only through a link is read too: it joins the reading order.
    for (const std::string& id : assembly.Documents()) {
        if (std::find(package.spine.begin(), package.spine.end(), id) == package.spine.end())
            package.spine.push_back(id);
    }
    for (ManifestEntry& entry : assembly.Manifest()) {
        if (entry.id == package.coverId && entry.mediaType.starts_with("image/"))
            entry.properties = "cover-image";
    }

    std::set<std::string> taken(files.begin(), files.end());
    for (const std::string& f : files) taken.insert(*names.Renamed(f));
    const std::string ncxFolder =
        source.ncxPath.empty()
            ? std::string()
            : fs::path(*names.Renamed(source.ncxPath)).parent_path().generic_string();
    const std::string navPath = FreeName(ncxFolder.empty() ? "" : ncxFolder + "/", "nav", taken);
    NavigationInput navInput;
    navInput.ncxText =
        source.ncxPath.empty() ? std::string() : ReadTextFile(opsFolder + source.ncxPath);
    if (navInput.ncxText.empty())
        navInput.ncxText =
            "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" "
            "version=\"2005-1\"><head/><navMap/></ncx>";
    navInput.ncxPath = source.ncxPath.empty() ? "toc.ncx" : source.ncxPath;
    navInput.navPath = navPath;
    navInput.identifier = metadata.identifier;
    navInput.title = metadata.title;
    navInput.language = metadata.language;
    navInput.tocTitle = tocTitle.empty() ? "Contents" : tocTitle;
    const Navigation navigation = BuildNavigation(navInput, names);
    if (!source.ncxPath.empty()) {
        assembly.Manifest().push_back({"ncx",
                                       PercentEncodePath(*names.Renamed(source.ncxPath)),
                                       "application/x-dtbncx+xml",
                                       {}});
        package.ncxId = "ncx";
        assembly.Zip().AddText("OPS/" + *names.Renamed(source.ncxPath), navigation.ncx);
    }
    std::string navId = "nav";
    while (!assembly.Reserve(navId)) navId += "_";
    assembly.Manifest().push_back(
        {navId, PercentEncodePath(navPath), "application/xhtml+xml", "nav"});
    assembly.Zip().AddText("OPS/" + navPath, navigation.nav);

    package.manifest = assembly.Manifest();
    assembly.Zip().AddText("OPS/content.opf", PackageDocumentText(package));
    assembly.Zip().Write(epubPath);
    return assembly.Missing();
}

}  // namespace quillery::epub
