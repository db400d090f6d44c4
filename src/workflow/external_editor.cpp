// The Edit menu's external editor commands (see external_editor.h).

#include "workflow/external_editor.h"

#include "project/book.h"
#include "project/ui_port.h"
#include "text/file_utils.h"

namespace quillery {
namespace {

// Starts the editor with the file as its one parameter; the program does not wait for it.
// A file that does not exist is still handed over: the editor reports it.
void OpenInEditor(const std::string& editorPath, const std::string& file, UiPort& ui) {
    ui.ShellOpen(editorPath, file);
}

}  // namespace

bool CheckEditor(const std::string& editorPath, UiPort& ui) {
    return FileSettingUsable(editorPath, kSetEditorMessage, kEditorMissingMessage, ui);
}

void EditPackageDocument(const Book& book, const std::string& editorPath, UiPort& ui) {
    if (CheckEditor(editorPath, ui))
        OpenInEditor(editorPath, book.folders.opsFolder + "content.opf", ui);
}

void EditTocPage(const Book& book, const std::string& editorPath, UiPort& ui) {
    if (book.fullOutputPath.empty()) {
        ui.ShowMessage(kEditTocAfterMakeMessage);
        return;
    }
    // The make names the page toc.htm unless a chapter already has that name.
    if (CheckEditor(editorPath, ui))
        OpenInEditor(editorPath, book.folders.opsFolder + book.packageNames.tocPage, ui);
}

void EditOnlyStylesheet(const Book& book, const std::string& editorPath, UiPort& ui) {
    if (book.stylesheets.empty()) {
        ui.ShowMessage(kNoCssMessage);
        return;
    }
    if (book.stylesheets.size() > 1 || !CheckEditor(editorPath, ui)) return;
    if (book.previewSource == PreviewSource::Imported)
        OpenInEditor(editorPath, book.sourceFolder + book.stylesheets.front(), ui);
    if (book.previewSource == PreviewSource::Made)
        OpenInEditor(editorPath, book.folders.opsFolder + book.stylesheets.front(), ui);
}

void EditListedFile(const Book& book, const std::string& name, const std::string& editorPath,
                    UiPort& ui) {
    const std::string& folder =
        book.previewSource == PreviewSource::Made ? book.folders.opsFolder : book.sourceFolder;
    if (CheckEditor(editorPath, ui)) OpenInEditor(editorPath, folder + name, ui);
}

EditMenuEntries EditMenuEntriesOf(const Book& book) {
    EditMenuEntries entries;
    if (book.stylesheets.size() >= 2) {
        for (const std::string& css : book.stylesheets) {
            if (FileExists(book.sourceFolder + css)) entries.css.push_back(css);
        }
    }
    for (const Chapter& chapter : book.chapters) {
        if (FileExists(book.sourceFolder + chapter.file)) entries.html.push_back(chapter.file);
    }
    return entries;
}

}  // namespace quillery
