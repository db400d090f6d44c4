#pragma once
// What an import hands back from the worker to the GUI thread, and the shape of the core call
// that produces it: every import (web pages, Word document, Word HTML, re-import) runs the
// same way and differs only in that call.

#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "htmlimport/chapter_grid.h"
#include "project/book_form.h"

namespace quillery::app {

struct ImportOutcome {
    bool imported = false;
    ChapterGrid grid;
    std::string previewFile;
    bool fromWord = false;  // the project now comes from a Word document (Re-Import is on)
};

// The core's import, run on the worker: the form (read back from the controls), the chosen
// files (empty for a re-import) and whether the preview is on.
using ImportWork = std::function<ImportOutcome(
    BookForm& form, const std::vector<std::string>& chosen, bool previewOn)>;

// The files an import works on: a dialog's answer, or files dropped on the window. An empty
// list means cancelled.
using FileChoice = std::function<QStringList()>;

// Any of the core's import results as an ImportOutcome.
template <class Result>
ImportOutcome OutcomeOf(const Result& result, bool fromWord) {
    return {result.imported, result.grid, result.previewFile, fromWord};
}

}  // namespace quillery::app
