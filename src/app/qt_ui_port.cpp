// The window's UI port: widgets and dialogs on the GUI thread, whichever thread calls.
#include "app/qt_ui_port.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QThread>
#include <QWidget>

#include "app/dialog_chooser.h"
#include "app/log_window.h"

namespace quillery::app {

QString WidgetText(std::string_view text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.replace("\r\n", "\n");
    return result;
}

QtUiPort::QtUiPort(QWidget& window, LogWindow& logWindow, DialogChooser& chooser)
    : window_(window), logWindow_(logWindow), chooser_(chooser) {}

void QtUiPort::OnGuiThread(const std::function<void()>& work) {
    const bool onGuiThread = QThread::currentThread() == thread();
    if (cancelled_) {
        if (!onGuiThread) throw WorkCancelled();
        return;
    }
    if (onGuiThread) {
        work();
    } else {
        QMetaObject::invokeMethod(this, work, Qt::BlockingQueuedConnection);
    }
}

void QtUiPort::ShowMessage(std::string_view text) {
    const QString message = WidgetText(text);
    OnGuiThread([&] { chooser_.Message(&window_, message); });
}

bool QtUiPort::ConfirmYesNo(std::string_view text) {
    const QString question = WidgetText(text);
    bool yes = false;
    OnGuiThread([&] { yes = chooser_.YesNo(&window_, question); });
    return yes;
}

void QtUiPort::SetStatus(std::string_view text) {
    const QString status = WidgetText(text);
    OnGuiThread([&] { window_.findChild<QLabel*>("lblMsg")->setText(status); });
}

void QtUiPort::SetProgress(int percent) {
    OnGuiThread([&] {
        auto* gauge = window_.findChild<QProgressBar*>("Gauge1");
        gauge->setValue(percent);
        gauge->setVisible(true);
    });
}

void QtUiPort::FocusControl(quillery::Control control) {
    const QString name = QString::fromUtf8(ControlName(control).data(),
                                           static_cast<qsizetype>(ControlName(control).size()));
    OnGuiThread([&] {
        auto* widget = window_.findChild<QWidget*>(name);
        if (widget == nullptr) return;
        if (widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
            deferredFocus_ = nullptr;
        } else {
            deferredFocus_ = widget;
        }
    });
}

void QtUiPort::GiveDeferredFocus() {
    if (deferredFocus_ != nullptr) deferredFocus_->setFocus(Qt::OtherFocusReason);
    deferredFocus_ = nullptr;
}

void QtUiPort::ShowPage(Page page) {
    OnGuiThread([&] {
        window_.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(static_cast<int>(page));
    });
}

void QtUiPort::ShowBuildLog(std::string_view log) {
    const QString text = WidgetText(log);
    OnGuiThread([&] {
        auto* memo = window_.findChild<QPlainTextEdit*>("Memo1");
        memo->setPlainText(text);
        memo->moveCursor(QTextCursor::End);
        logWindow_.ShowLog(text);
    });
}

void QtUiPort::OpenLogWindow() {
    OnGuiThread([&] { logWindow_.show(); });
}

void QtUiPort::RequestKindleGenPath() {
    OnGuiThread([&] {
        if (kindleGenRequest_) kindleGenRequest_();
    });
}

void QtUiPort::ShellOpen(std::string_view target, std::string_view parameters) {
    const QString file = WidgetText(target);
    const QString args = WidgetText(parameters);
    OnGuiThread([&] { chooser_.ShellOpen(file, args); });
}

void QtUiPort::ShellOpenDefault(std::string_view target) { ShellOpen(target, {}); }

}  // namespace quillery::app
