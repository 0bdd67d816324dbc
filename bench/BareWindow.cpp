// The reference of the window benchmark: a bare Qt window doing what
// `ohmora --screenshot` does (a QApplication, one 800 × 600 widget, a grab
// written to PNG), so that the start-up time and the memory of the program
// can be given as a ratio to what Qt itself costs on the same machine.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QWidget window;
    window.resize(800, 600);
    window.show();
    return window.grab().toImage().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
