// The yardstick of the start-up benchmark: a bare Qt Widgets window of the
// memo window's first-run size.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(645, 443);
    window.show();
    return application.exec();
}
