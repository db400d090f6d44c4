#pragma once
// The window's menu bar: File, Convert (hidden), Edit, Titles (hidden), Tools (hidden) and
// Help, with their function keys. A hidden item keeps its function key: the key is bound to
// the window and triggers the item while the item is enabled. Items whose work is not
// wired do nothing when chosen.

#include <QKeySequence>

class QAction;
class QMainWindow;
class QMenu;

namespace quillery::app {

struct MenuActions {
    QAction* openExample;
    QAction* importWebPages;
    QAction* importWordDocument;
    QAction* importWordHtml;
    QAction* reimportWord;
    QAction* makeMobi;
    QAction* showLog;
    QAction* setKindleGenPath;
    QAction* exit;
    QAction* makeContent;
    QAction* makeToc;
    QAction* publish;
    QAction* recompile;
    QAction* editMeta;
    QAction* editToc;
    QAction* editCss;  // "CSS" while it has no sub-items; cssMenu once it has some
    QAction* validateThis;
    QAction* validateOther;
    QAction* compilingOptions;
    QAction* manual;
    QAction* website;
    QAction* about;
    QMenu* cssMenu;
    QMenu* htmlMenu;
};

MenuActions BuildMenus(QMainWindow& window);

}  // namespace quillery::app
