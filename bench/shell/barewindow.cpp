// The yardstick of the start-up benchmark: the least a Qt widgets program
// does to show a window of the main window's size, started the same way.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Pelquor"));
    window.setFixedSize(1020, 758);
    window.show();
    return app.exec();
}
