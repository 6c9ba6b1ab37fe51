#include "platform/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tintorb"));
    tintorb::MainWindow window;
    window.show();
    return QApplication::exec();
}
