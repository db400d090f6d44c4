// quillery_render_icon: renders the SVG icon as a square PNG of the given size, for the icon
// sizes committed beside it (scripts/render-icons runs it). Uses Qt's SVG image plugin.
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: quillery_render_icon ICON.svg SIZE OUT.png\n");
        return 2;
    }
    const int size = QString(argv[2]).toInt();
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull() || size <= 0) {
        std::fprintf(stderr, "cannot render %s: %s\n", argv[1],
                     reader.errorString().toLocal8Bit().constData());
        return 1;
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
