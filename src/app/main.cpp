// quillery-gui: the Quillery window.
#include <QApplication>
#include <clocale>

#include "app/dialog_chooser.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    // The preview and the cover view share one graphics context with the window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quillery 2");
    // Numbers in generated stylesheets and in the settings always use ".", whatever the
    // locale's decimal separator.
    std::setlocale(LC_NUMERIC, "C");
    quillery::app::NativeDialogChooser chooser;
    quillery::app::MainWindow window(quillery::ComputeWorkFolders(quillery::ExecutableFolder()),
                                     chooser);
    window.showMaximized();
    return QApplication::exec();
}
