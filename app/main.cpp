#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    dw::MainWindow window;
    window.show();
    return app.exec();
}
