#include "ui/MainWindow.h"

namespace dw {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
}

} // namespace dw
