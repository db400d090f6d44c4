// quillery_screenshots OUTPUT_FOLDER: drives the real window, with nobody at the screen, over
// a fresh state folder, and saves two pictures of it: "window-imported.png" after "Open
// Example" has imported the bundled Word document, and "window-made.png" after "Make Mobi"
// with the bundled compiler, the build log shown in the Log window beside the main window.
// Run headless by scripts/screenshots (QT_QPA_PLATFORM=offscreen).
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <clocale>
#include <cstdio>
#include <filesystem>

#include "app/main_window.h"
#include "app/unattended_chooser.h"
#include "app/wait_for_signal.h"
#include "project/book.h"

using quillery::app::MainWindow;
using quillery::app::WaitForSignal;

namespace {

// Lets the preview's renderer catch up before the picture is taken.
void Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(const QImage& image, const QString& file) {
    if (image.save(file)) {
        std::printf("%s\n", qPrintable(file));
        return true;
    }
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

// The main window with the Log window laid over its lower right part, as on a screen; the
// headless platform draws no window frames, so the Log window gets a plain title bar here.
QImage WithLogWindow(QWidget& window, QWidget& log) {
    QImage picture = window.grab().toImage();
    const QImage logPicture = log.grab().toImage();
    QPainter painter(&picture);
    const int titleHeight = 26;
    const QPoint at(picture.width() - logPicture.width() - 24,
                    picture.height() - logPicture.height() - 40);
    const QRect frame(at - QPoint(2, titleHeight), logPicture.size() + QSize(4, titleHeight + 2));
    painter.fillRect(frame, QColor(0x4a, 0x4f, 0x57));
    painter.setPen(Qt::white);
    painter.drawText(QRect(frame.topLeft(), QSize(frame.width(), titleHeight)), Qt::AlignCenter,
                     log.windowTitle());
    painter.drawImage(at, logPicture);
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quillery 2");
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillery_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir state(QDir::tempPath() + "/quillery-XXXXXX");
    qputenv("QUILLERY_STATE_DIR", state.path().toUtf8());

    quillery::app::UnattendedChooser chooser;
    MainWindow window(quillery::ComputeWorkFolders(quillery::ExecutableFolder()), chooser);
    window.resize(1200, 760);
    window.show();
    auto* viewer = window.findChild<QWebEngineView*>("Viewer");
    WaitForSignal(viewer, &QWebEngineView::loadFinished, 10000);

    const QString examples = QString::fromStdString(window.book().folders.dataFolder) + "examples/";
    chooser.answers.push_back({examples + "port-merel.docx"});
    window.menus().openExample->trigger();
    if (!WaitForSignal(&window, &MainWindow::commandFinished, 120000) ||
        window.book().chapters.empty()) {
        std::fprintf(stderr, "the example was not imported\n");
        return 1;
    }
    WaitForSignal(viewer, &QWebEngineView::loadFinished, 10000);
    Settle(1500);
    if (!Save(window.grab().toImage(), output.filePath("window-imported.png"))) return 1;

    window.findChild<QPushButton*>("btnMake")->click();
    if (!WaitForSignal(&window, &MainWindow::commandFinished, 120000) ||
        !std::filesystem::exists(quillery::FinalMobiPath(window.book()))) {
        std::fprintf(stderr, "the example was not made: %s\n",
                     qPrintable(chooser.shown.join('\n')));
        return 1;
    }
    window.menus().showLog->trigger();
    auto* log = window.findChild<QWidget*>("TfrmLog");
    Settle(1500);
    return Save(WithLogWindow(window, *log), output.filePath("window-made.png")) ? 0 : 1;
}
