// The main window's Edit menu: the generated package files opened in the external source
// editor ("Meta", "TOC", "CSS" and the sub-items of "CSS" and "HTML"), and the rebuilding of
// those sub-items. "CSS" shows as a plain item while it has no sub-items and as a submenu
// once it has some.
#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "app/qt_ui_port.h"
#include "workflow/external_editor.h"

namespace quillery::app {

void MainWindow::ConnectEditMenu() {
    auto editor = [this](void (*command)(const Book&, const std::string&, UiPort&)) {
        return [this, command] {
            if (!busy()) command(book_, settings_.editorPath, *port_);
        };
    };
    connect(menus_.editMeta, &QAction::triggered, this, editor(&EditPackageDocument));
    connect(menus_.editToc, &QAction::triggered, this, editor(&EditTocPage));
    connect(menus_.editCss, &QAction::triggered, this, editor(&EditOnlyStylesheet));
    for (QMenu* menu : {menus_.cssMenu, menus_.htmlMenu}) {
        connect(menu, &QMenu::triggered, this, [this](QAction* item) {
            if (!busy())
                EditListedFile(book_, item->text().toStdString(), settings_.editorPath, *port_);
        });
    }
    auto* edit = qobject_cast<QMenu*>(menus_.cssMenu->parentWidget());
    connect(edit, &QMenu::aboutToShow, this, [this] {
        const bool subItems = !menus_.cssMenu->isEmpty();
        menus_.editCss->setVisible(!subItems);
        menus_.cssMenu->menuAction()->setVisible(subItems);
    });
}

void MainWindow::RebuildEditMenus() {
    const EditMenuEntries entries = EditMenuEntriesOf(book_);
    menus_.cssMenu->clear();
    menus_.htmlMenu->clear();
    for (const std::string& css : entries.css)
        menus_.cssMenu->addAction(QString::fromStdString(css));
    for (const std::string& html : entries.html)
        menus_.htmlMenu->addAction(QString::fromStdString(html));
}

}  // namespace quillery::app
