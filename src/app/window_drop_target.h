#pragma once
// Makes the whole main window a drop target for books: files dropped anywhere on it (the
// grid, the preview, a text box) that ClassifyDroppedPaths recognises are taken by the
// window, and their import is started once the drop has completed, so the drag source is
// never held by the import's questions. Other drops (text into a text box) go on as usual.
// While the window is busy, book drops are refused.

#include <QObject>
#include <functional>

#include "app/dropped_book.h"

class QWidget;

namespace quillery::app {

class WindowDropTarget final : public QObject {
    Q_OBJECT
public:
    // Watches the application's drag events for widgets of window. ready tells whether the
    // window takes a book now; import runs the import of a dropped book.
    WindowDropTarget(QWidget& window, std::function<bool()> ready,
                     std::function<void(const DroppedBook&)> import);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<bool()> ready_;
    std::function<void(const DroppedBook&)> import_;
    DroppedBook entered_;
};

}  // namespace quillery::app
