#include "model/FileImage.h"
#include "platform/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    tintorb::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tintorb"));
    tintorb::MainWindow window;
    window.show();
    return QApplication::exec();
}
