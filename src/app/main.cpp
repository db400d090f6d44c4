// quillery-gui: the Quillery window. Files named on the command line (as the desktop's
// "Open With" passes them) are imported as if dropped on the window.
#include <QApplication>
#include <QTimer>
#include <clocale>

#include "app/app_icon.h"
#include "app/dialog_chooser.h"
#include "app/dropped_book.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    // The preview and the cover view share one graphics context with the window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quillery 2");
    QApplication::setWindowIcon(quillery::app::QuilleryIcon());
    // Ties the window to the installed quillery.desktop (its name and icon in the dock).
    QGuiApplication::setDesktopFileName("quillery");
    // Numbers in generated stylesheets and in the settings always use ".", whatever the
    // locale's decimal separator.
    std::setlocale(LC_NUMERIC, "C");
    quillery::app::NativeDialogChooser chooser;
    quillery::app::MainWindow window(quillery::ComputeWorkFolders(quillery::ExecutableFolder()),
                                     chooser);
    window.showMaximized();
    const QStringList named = QApplication::arguments().mid(1);
    if (!named.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, named] {
            window.ImportDropped(quillery::app::ClassifyDroppedPaths(named));
        });
    }
    return QApplication::exec();
}
