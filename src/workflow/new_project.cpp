// What every import does first (see new_project.h).

#include "workflow/new_project.h"

#include <filesystem>

#include "text/paths.h"

namespace fs = std::filesystem;

namespace quillery {

std::string AbsoluteFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    if (folder.empty() || folder.front() != '/') {
        std::error_code ec;
        const fs::path absolute =
            fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), ec);
        if (!ec) folder = absolute.lexically_normal().string();
    }
    return WithTrailingSlash(folder);
}

namespace {

// True when folder lies in (or is) workFolder, symbolic links resolved.
bool LiesInside(const std::string& folder, const std::string& workFolder) {
    if (workFolder.empty()) return false;
    std::error_code ec;
    const std::string a = WithTrailingSlash(fs::weakly_canonical(folder, ec).string());
    if (ec) return false;
    const std::string b = WithTrailingSlash(fs::weakly_canonical(workFolder, ec).string());
    if (ec) return false;
    return a.starts_with(b);
}

}  // namespace

bool LiesInWorkFolders(const std::string& folder, const WorkFolders& folders) {
    return LiesInside(folder, folders.opsFolder) || LiesInside(folder, folders.doctmpFolder);
}

void ResetForNewProject(Book& book, BookForm& form) {
    form.inTitle.clear();
    form.inAuthor.clear();
    form.inSubject.clear();
    form.inPublisher.clear();
    form.inID.clear();
    form.lblDesName.clear();
    form.lblDesPath.clear();
    form.coverPath.clear();
    form.replacementStylesheet.clear();
    form.fileList.clear();
    book.coverPath.clear();
    book.replacementStylesheet.clear();
    book.tocMarked = false;
    book.tocPosition = 0;
    book.tocFileName.clear();
    book.stylesheets.clear();
    book.chapters.clear();
}

}  // namespace quillery
