// The "Titles" menu of the window: "To Capitalized", "Trim", "Extract Subtitle", "Undo" and
// "Revert/Re-Extract" run the chapter title tools on the grid as the user left it and show
// the grid again. The menu's other items have no action.
#include <QAction>
#include <utility>

#include "app/chapter_grid_widget.h"
#include "app/main_window.h"

namespace quillery::app {

void MainWindow::ConnectTitleTools() {
    using Tool = std::function<void(Book&, ChapterGrid&)>;
    const std::pair<const char*, Tool> items[] = {
        {"mCapToc", [this](Book& b, ChapterGrid& g) { titleTools_.CapitalizeTitles(b, g); }},
        {"mTrim", [this](Book& b, ChapterGrid& g) { titleTools_.TrimTitles(b, g); }},
        {"mExtractSubtitle",
         [this](Book& b, ChapterGrid& g) { titleTools_.AppendSubtitles(b, g); }},
        {"mUndo", [this](Book& b, ChapterGrid& g) { titleTools_.UndoTitleEdit(b, g); }},
        {"mRevert", &TitleTools::ReExtractTitles},
    };
    for (const auto& [name, tool] : items) {
        connect(findChild<QAction*>(name), &QAction::triggered, this,
                [this, tool] { RunTitleTool(tool); });
    }
}

void MainWindow::RunTitleTool(const std::function<void(Book&, ChapterGrid&)>& tool) {
    // While an import or a make runs, the worker owns the Book and the grid is off.
    if (busy()) return;
    fileList_->TakeTitles(grid_);
    tool(book_, grid_);
    fileList_->ShowGrid(grid_);
}

}  // namespace quillery::app
