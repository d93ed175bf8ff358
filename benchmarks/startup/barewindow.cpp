// The baseline of the start-up benchmark: a bare Qt Widgets window of the
// main window's size that shows one line of text, linked to Qt Widgets alone.
// The text makes it load a font, as any window that says something does.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    // 12800 x 10000 twips at 96 dpi, as the main window sizes itself.
    window.resize(853, 667);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("System RealTime info")), 0, Qt::AlignTop);
    window.show();
    return app.exec();
}
