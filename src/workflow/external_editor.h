#pragma once
// The Edit menu's commands: opening the generated package files (content.opf, toc.htm, the
// stylesheets, the chapter files) in the external source editor the user set, and the lists
// of stylesheets and chapter files the "CSS" and "HTML" items offer as sub-items.

#include <string>
#include <vector>

namespace quillery {

struct Book;
class UiPort;

inline constexpr const char* kSetEditorMessage =
    "Please set an external editor in Advanced tab first.";
inline constexpr const char* kEditorMissingMessage =
    "Specified editor does not exist, please check.";
inline constexpr const char* kEditTocAfterMakeMessage =
    "You can only edit TOC/NCX file after Make Mobi, then re-compile.";
inline constexpr const char* kNoCssMessage = "No CSS file found";

// True when the editor path is set and a file exists there; otherwise shows why.
bool CheckEditor(const std::string& editorPath, UiPort& ui);

// "Meta": content.opf of the OPS folder.
void EditPackageDocument(const Book& book, const std::string& editorPath, UiPort& ui);
// "TOC": the HTML table of contents of the OPS folder, only after a make.
void EditTocPage(const Book& book, const std::string& editorPath, UiPort& ui);
// "CSS" while it has no sub-items: the one stylesheet, from the folder the preview shows
// (Source folder after an import, OPS folder after a make, nothing before either).
void EditOnlyStylesheet(const Book& book, const std::string& editorPath, UiPort& ui);
// A sub-item of "CSS" or "HTML": the file of that name in the OPS folder after a make, else
// in the Source folder.
void EditListedFile(const Book& book, const std::string& name, const std::string& editorPath,
                    UiPort& ui);

// The sub-items: the stylesheets (only when there are two or more) and the chapter files,
// in list order, each only when its file exists in the Source folder.
struct EditMenuEntries {
    std::vector<std::string> css;
    std::vector<std::string> html;
};
EditMenuEntries EditMenuEntriesOf(const Book& book);

}  // namespace quillery
