// The menu bar and its function keys.
#include "app/main_menus.h"

#include <QMainWindow>
#include <QMenuBar>
#include <utility>

namespace quillery::app {
namespace {

QAction* Item(QMenu* menu, const char* name, const char* caption, QKeySequence key = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    // Bound to the window as well, so the key works while its menu is hidden.
    menu->parentWidget()->window()->addAction(action);
    return action;
}

// An item not shown in its menu: it belongs to the window alone, so its function key still
// triggers it while it is enabled. (An invisible action in a menu would lose its key.)
QAction* HiddenItem(QMenu* menu, const char* name, const char* caption, QKeySequence key = {}) {
    QWidget* window = menu->parentWidget()->window();
    auto* action = new QAction(caption, window);
    action->setObjectName(name);
    action->setShortcut(key);
    window->addAction(action);
    return action;
}

QMenu* HiddenMenu(QMenuBar* bar, const char* title) {
    QMenu* menu = bar->addMenu(title);
    menu->menuAction()->setVisible(false);
    return menu;
}

}  // namespace

MenuActions BuildMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    MenuActions a{};
    QMenu* file = bar->addMenu("&File");
    a.openExample = Item(file, "mnuOpenExample", "Open &Example", Qt::Key_F2);
    HiddenItem(file, "mnuOpenProject", "&Open Project");
    a.importWebPages = Item(file, "mnuImportWebpages", "&Import Webpages");
    a.importWordDocument = Item(file, "mnuImportWordDoc", "Import Word &Document", Qt::Key_F4);
    a.importWordHtml = Item(file, "mnuImportWordHtml", "Import Word &HTML");
    a.reimportWord = Item(file, "mnuReimportWordDoc", "Re-Import Word Doc", Qt::Key_F5);
    a.reimportWord->setEnabled(false);
    a.makeMobi = Item(file, "mnuMakeMobi", "&Make Mobi", Qt::Key_F6);
    a.showLog = Item(file, "mnuShowLog", "Show Log");
    a.setKindleGenPath = Item(file, "mnuSetKindleGenPath", "Set &KindleGen Path");
    HiddenItem(file, "mnuSaveProject", "&Save Project");
    a.exit = Item(file, "mnuExit", "E&xit");

    QMenu* convert = HiddenMenu(bar, "&Convert");
    Item(convert, "mnuBookInfo", "&Book Info");
    a.makeContent = Item(convert, "mnuMakeContent", "&Make Content");
    a.makeToc = Item(convert, "mnuMakeToc", "Make &TOC");
    a.publish = Item(convert, "mnuPublish", "&Publish");

    QMenu* edit = bar->addMenu("Edit");
    a.editMeta = HiddenItem(edit, "mnuEditMeta", "Meta");
    a.editMeta->setToolTip("content.opf");
    a.editToc = Item(edit, "mnuEditToc", "TOC");
    a.editToc->setToolTip("toc.ncx");
    a.editCss = Item(edit, "mnuEditCssFile", "CSS");
    a.editCss->setToolTip("style.css");
    a.cssMenu = edit->addMenu("CSS");
    a.cssMenu->setObjectName("mnuEditCss");
    a.cssMenu->menuAction()->setToolTip("style.css");
    a.htmlMenu = edit->addMenu("HTML");
    a.htmlMenu->setObjectName("mnuEditHtml");
    a.recompile = Item(edit, "mnuRecompile", "Re-&Compile", Qt::Key_F8);

    QMenu* titles = HiddenMenu(bar, "Titles");
    for (const auto& [name, caption] : {std::pair{"mExtractSubtitle", "Extract Subtitle"},
                                        {"mUndo", "Undo"},
                                        {"mRevert", "Revert/Re-Extract"},
                                        {"mCapToc", "To Capitalized"},
                                        {"mTrim", "Trim"}}) {
        titles->addAction(caption)->setObjectName(name);
    }
    titles->addAction("To Uppercased");
    QMenu* numbers = titles->addMenu("Numbers");
    numbers->menuAction()->setVisible(false);
    numbers->addAction("Roman to Arab");
    numbers->addAction("Arab to Roman");
    HiddenItem(titles, "mnuTitlesDelete", "Delete ...");
    HiddenItem(titles, "mnuTitlesReplace", "Replace");

    QMenu* tools = HiddenMenu(bar, "Tools");
    a.validateThis = HiddenItem(tools, "mnuValidateThis", "&Validate This", Qt::Key_F9);
    a.validateThis->setEnabled(false);
    a.validateOther = HiddenItem(tools, "mnuValidateOther", "Validate Other", Qt::Key_F10);
    tools->addAction("TOC tree");
    tools->addAction("Change Chapter Titles");
    a.compilingOptions = Item(tools, "mnuCompilingOptions", "Compiling Options");

    QMenu* help = bar->addMenu("&Help");
    a.manual = Item(help, "mnuManual", "&Manual", Qt::Key_F1);
    a.website = Item(help, "mnuWebsite", "&Website");
    a.about = Item(help, "mnuAbout", "&About");
    return a;
}

}  // namespace quillery::app
