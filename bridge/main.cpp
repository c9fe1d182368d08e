#include "bridge/bridgecommandline.h"
#include "bridge/mainwindow.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>

namespace {

const QString version = QStringLiteral("0.9.1.0");

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer before the window system is touched; only
    // the usage text needs an application object.
    BridgeCommandLine commandLine;
    {
        QCoreApplication probe(argc, argv);
        commandLine = BridgeCommandLine::parse(QCoreApplication::arguments(), version);
    }
    if (commandLine.exits()) {
        std::fputs(commandLine.message().toLocal8Bit().constData(), commandLine.exitCode() == 0 ? stdout : stderr);
        return commandLine.exitCode();
    }

    QApplication app(argc, argv);
    // The settings file lives in the application-data folder named after us.
    QApplication::setApplicationName(QStringLiteral("Brivox"));
    QApplication::setApplicationVersion(version);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    MainWindow window;
    window.show();
    QTimer::singleShot(0, &window, &MainWindow::start);
    return app.exec();
}
