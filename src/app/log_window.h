#pragma once
// The Log window (TfrmLog): the build log of the last make in a window of its own, opened
// from "Show Log" and after a make that produced no book.

#include <QDialog>

class QPlainTextEdit;

namespace quillery::app {

class LogWindow final : public QDialog {
    Q_OBJECT
public:
    explicit LogWindow(QWidget* parent);
    void ShowLog(const QString& text);

private:
    QPlainTextEdit* memo_;
};

}  // namespace quillery::app
