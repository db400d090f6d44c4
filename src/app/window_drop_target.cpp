// The main window as a drop target for books (see window_drop_target.h).
#include "app/window_drop_target.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace quillery::app {
namespace {

DroppedBook BookOf(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return {};
        paths << url.toLocalFile();
    }
    return ClassifyDroppedPaths(paths);
}

}  // namespace

WindowDropTarget::WindowDropTarget(QWidget& window, std::function<bool()> ready,
                                   std::function<void(const DroppedBook&)> import)
    : QObject(&window), window_(window), ready_(std::move(ready)), import_(std::move(import)) {
    // The window itself accepts drops, so that a drop over any of its parts reaches a widget.
    window_.setAcceptDrops(true);
    qApp->installEventFilter(this);
}

bool WindowDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    // A drag is classified once, as it enters; moves and the drop reuse the answer.
    if (type == QEvent::DragEnter) entered_ = BookOf(drop->mimeData());
    const DroppedBook book = entered_;
    if (book.kind == DropKind::Nothing) return false;
    // Always a copy: a source offering to move the files would delete them once the drop
    // says it moved them, and the import only reads them.
    if (!ready_() || !(drop->possibleActions() & Qt::CopyAction)) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, &window_, [this, book] { import_(book); });
    }
    return true;
}

}  // namespace quillery::app
