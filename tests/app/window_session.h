#pragma once
// One Quillery window over a fresh, empty state folder, with a scripted dialog chooser, and
// the steps the window tests take with it: finding controls, running a command to its end,
// importing the example web book.

#include <QAbstractButton>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/main_window.h"
#include "scripted_chooser.h"

namespace quillery::app {

// One window over a fresh, empty state folder.
struct Session {
    QTemporaryDir state;
    ScriptedChooser chooser;
    std::unique_ptr<MainWindow> window;

    Session() {
        qputenv("QUILLERY_STATE_DIR", state.path().toUtf8());
        window = std::make_unique<MainWindow>(ComputeWorkFolders(ExecutableFolder()), chooser);
        window->show();
    }
    template <class W>
    W* Find(const char* name) const {
        W* widget = window->findChild<W*>(name);
        if (widget == nullptr) qFatal("no widget %s", name);
        return widget;
    }
    QString Focused() const {
        QWidget* focus = window->focusWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }
    // Clicks a button and waits until the command's work has ended.
    bool RunCommand(const char* button) {
        QSignalSpy finished(window.get(), &MainWindow::commandFinished);
        Find<QAbstractButton>(button)->click();
        return !finished.isEmpty() || finished.wait(180000);
    }
    QStringList ExampleFiles() const {
        const QDir examples(QString::fromStdString(window->book().folders.dataFolder) + "examples");
        QStringList files;
        for (const QString& name : examples.entryList({"*.htm"}, QDir::Files, QDir::Name))
            files << examples.filePath(name);
        return files;
    }
    bool ImportExample() {
        chooser.fileSets.push_back(ExampleFiles());
        return RunCommand("btnImportHtml");
    }
    // Presses a key in the active window and waits until the command's work has ended.
    bool PressKey(Qt::Key key) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) return false;
        QSignalSpy finished(window.get(), &MainWindow::commandFinished);
        QTest::keyClick(window.get(), key);
        return !finished.isEmpty() || finished.wait(180000);
    }
    QString LastShown() const {
        return chooser.shown.empty() ? QString() : chooser.shown.back().text;
    }
};

}  // namespace quillery::app
