// The Log window: a read-only text view of the build log.
#include "app/log_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace quillery::app {

LogWindow::LogWindow(QWidget* parent) : QDialog(parent), memo_(new QPlainTextEdit(this)) {
    setObjectName("TfrmLog");
    setWindowTitle("Log");
    resize(600, 400);
    memo_->setObjectName("memLog");
    memo_->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_);
}

void LogWindow::ShowLog(const QString& text) {
    memo_->setPlainText(text);
    memo_->moveCursor(QTextCursor::End);
}

}  // namespace quillery::app
