#pragma once
// "Import Web Pages": turns the HTML files the user chose into a new Book project. Nothing is
// copied or rewritten at import time: the chapter files stay where they are until a make.
//
// The front-end runs, in this order: ConfirmNewProject (stop on No); the open dialog with
// WebPageFileFilter() and multiple selection (stop on cancel); the read-back of the Import
// page options into the form; then ImportWebPages with the dialog's file list exactly as the
// dialog returns it. Afterwards it shows result.grid and the form's new values (book
// information boxes, save panel), restores its own widgets (save panel styles, cover view,
// Edit menu sub-items), loads result.previewFile into the preview when it is not empty, and
// disables the "Validate This" and "Re-Import Word Doc" menu items.

#include <string>
#include <vector>

#include "htmlimport/chapter_grid.h"
#include "project/book.h"
#include "project/book_form.h"
#include "project/ui_port.h"

namespace quillery {

struct WebImportResult {
    bool imported = false;    // false: nothing was chosen, or the choice was refused
    ChapterGrid grid;         // captions + one row per chapter
    std::string previewFile;  // source folder + first chapter when it exists and preview is on
};

// Runs the import for the chosen files (full paths, all in one folder; a relative path is
// taken against the current folder):
//  - the new-project reset of the Book and the form: book information boxes (not the
//    description and language), save panel, cover picture, replacement stylesheet, TOC mark,
//    position and file name, stylesheet list, chapter rows;
//  - chapter order, source folder, sizes; the OPS and doctmp folders emptied, image and title
//    lists cleared; the grid with its titles (title options from the form), form.fileList;
//  - focus on "btnMake"; book title and output location (inTitle, lblDesName, and lblDesPath:
//    the source folder when saving beside the source, else the default book folder);
//  - the Word-import state cleared, Preview source := Imported.
// An empty list changes nothing. Files lying inside the OPS or doctmp work folder, which
// every import empties, are refused with a message and nothing changes.
WebImportResult ImportWebPages(Book& book, BookForm& form, UiPort& ui,
                               const std::vector<std::string>& dialogFiles, bool previewOn);

}  // namespace quillery
