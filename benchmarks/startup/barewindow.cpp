// The baseline of the start-up benchmark: a bare Qt Widgets window of the
// main window's size, nothing in it, linked to Qt Widgets alone.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    // 12800 x 10000 twips at 96 dpi, as the main window sizes itself.
    window.resize(853, 667);
    window.show();
    return app.exec();
}
