#pragma once
// The UI port of the window: the core's messages, questions, status line, gauge, focus and
// page requests shown with the window's widgets and the dialog chooser. A call from a worker
// thread (a make running off the GUI thread) is carried out on the GUI thread while the
// worker waits for it, so the core gets its answer as if it ran there.

#include <QObject>
#include <atomic>
#include <functional>
#include <stdexcept>

#include "project/ui_port.h"

class QWidget;

namespace quillery::app {

class DialogChooser;
class LogWindow;

// Thrown into the worker by a cancelled port: it ends the core work at its next port call.
struct WorkCancelled : std::runtime_error {
    WorkCancelled() : std::runtime_error("The work was stopped.") {}
};

class QtUiPort final : public QObject, public UiPort {
    Q_OBJECT
public:
    // window: the main window, whose controls are found by their component names.
    QtUiPort(QWidget& window, LogWindow& logWindow, DialogChooser& chooser);

    void ShowMessage(std::string_view text) override;
    bool ConfirmYesNo(std::string_view text) override;
    void SetStatus(std::string_view text) override;
    void SetProgress(int percent) override;
    void FocusControl(quillery::Control control) override;
    void ShowPage(Page page) override;
    void ShowBuildLog(std::string_view log) override;
    void OpenLogWindow() override;
    void RequestKindleGenPath() override;
    void ShellOpen(std::string_view target, std::string_view parameters) override;
    void ShellOpenDefault(std::string_view target) override;

    // A control asked for while disabled (the window's commands are off during a make) gets
    // the focus when the window turns its commands on again.
    void GiveDeferredFocus();
    // What RequestKindleGenPath does on the GUI thread: the "KindleGen needed" dialog.
    void SetKindleGenRequest(std::function<void()> request) {
        kindleGenRequest_ = std::move(request);
    }
    // From now on a call from the worker throws WorkCancelled, and a call on the GUI thread
    // shows nothing and answers No: the window is closing.
    void Cancel() { cancelled_ = true; }

private:
    void OnGuiThread(const std::function<void()>& work);

    QWidget& window_;
    LogWindow& logWindow_;
    DialogChooser& chooser_;
    QWidget* deferredFocus_ = nullptr;
    std::function<void()> kindleGenRequest_;
    std::atomic<bool> cancelled_{false};
};

// A core text for a widget: "\r\n" line breaks become "\n".
QString WidgetText(std::string_view text);

}  // namespace quillery::app
