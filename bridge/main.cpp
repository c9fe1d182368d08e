#include "bridge/mainwindow.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The settings file lives in the application-data folder named after us.
    QApplication::setApplicationName(QStringLiteral("Brivox"));
    QApplication::setApplicationVersion(QStringLiteral("0.9.1.0"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    MainWindow window;
    window.show();
    QTimer::singleShot(0, &window, &MainWindow::start);
    return app.exec();
}
