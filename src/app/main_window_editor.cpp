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
            const std::string name = item->data().toString().toStdString();
            if (!busy()) EditListedFile(book_, name, settings_.editorPath, *port_);
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
    // Each sub-item holds its file name; its caption doubles "&" so the menu shows the name
    // as it is instead of taking the "&" for an accelerator.
    auto fill = [](QMenu* menu, const std::vector<std::string>& names) {
        menu->clear();
        for (const std::string& name : names) {
            const QString file = QString::fromStdString(name);
            menu->addAction(QString(file).replace("&", "&&"))->setData(file);
        }
    };
    const EditMenuEntries entries = EditMenuEntriesOf(book_);
    fill(menus_.cssMenu, entries.css);
    fill(menus_.htmlMenu, entries.html);
}

}  // namespace quillery::app
