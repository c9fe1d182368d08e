#include "app/appfolders.h"
#include "app/appinfo.h"
#include "app/commandline.h"
#include "app/configseeder.h"
#include "app/dialoginstancewarning.h"
#include "app/instancechannel.h"
#include "app/instancelock.h"
#include "app/orvlog/OrvLog.h"
#include "app/startuplog.h"
#include "app/translationloader.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QSysInfo>
#include <QTextCodec>
#include <QTranslator>

#include <cstdio>
#include <memory>

// Start-up runs strictly in this order; only the command line (usage,
// version, an error) and a second copy stop it early.
int main(int argc, char *argv[])
{
    // The command line is settled before the window system, the network or
    // any folder is touched; only the usage text needs an application object.
    CommandLine commandLine;
    {
        QCoreApplication probe(argc, argv);
        commandLine = CommandLine::parse(QCoreApplication::arguments());
    }
    if (commandLine.exits()) {
        std::fputs(commandLine.message().toLocal8Bit().constData(), commandLine.messageIsError() ? stderr : stdout);
        return commandLine.exitCode();
    }

    QApplication app(argc, argv);
    // Files read or written without a named codec are UTF-8 everywhere.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF8"));

    InstanceLock lock;
    const QString channelName = InstanceChannel::serverNameFor(lock.path());
    if (!lock.tryLock(100)) {
        // The running copy brings its window forward; this one only asks.
        InstanceChannel caller;
        bool raised = false;
        caller.callRunning(channelName, 1500, [&app, &raised](bool done) {
            raised = done;
            app.quit();
        });
        app.exec();
        return DialogInstanceWarning::refuse(lock.path(), raised);
    }

    const QString userDataFolder = AppFolders::userDataFolder();
    AppFolders::prepareUserDataFolder(userDataFolder);
    StartupLog::setUpLogger(StartupLog::logFilePath(userDataFolder));

    OLOG_INFO() << "#############################################################";
    OLOG_INFO() << "Applicaiton:" << AppInfo::name();
    OLOG_INFO() << "App Version:" << AppInfo::version();
    OLOG_INFO() << "Built with Qt" << QT_VERSION_STR << "running on" << qVersion();
    OLOG_INFO() << "OrvLog version:" << ORVLOG_VERSION;
    OLOG_INFO() << "Running on OS:" << QSysInfo::prettyProductName();
    OLOG_INFO() << "-------------------------------------------------------------";

    const QString configFolder = AppFolders::configFolder();
    AppFolders::prepareConfigFolder(configFolder);

    const QVector<ConfigSeeder::Outcome> seeded = ConfigSeeder::seed(AppFolders::programFolder(), configFolder);
    for (const ConfigSeeder::Outcome &file : seeded) {
        if (file.found)
            OLOG_INFO() << "Found" << file.destination;
        else
            OLOG_INFO() << "Cloned " << file.destination << file.copied;
    }

    QTranslator translator;
    const QString translation =
        TranslationLoader::translationPath(AppFolders::programFolder(), QCoreApplication::applicationName(),
                                           commandLine.language(configFolder));
    const bool translated = TranslationLoader::loadAndInstall(translator, translation);
    OLOG_INFO() << "Load i18n:" << translation << translated;
    // Qt's own buttons and dialogs speak the same language as ours.
    QTranslator qtTranslator;
    const QString language = TranslationLoader::languageFromConfig(configFolder);
    if (TranslationLoader::needsQtTranslation(language)) {
        const QString qtTranslation = TranslationLoader::loadAndInstallQt(qtTranslator, AppFolders::programFolder(),
                                                                          language);
        OLOG_INFO() << "Load Qt i18n:" << (qtTranslation.isEmpty() ? language : qtTranslation)
                    << !qtTranslation.isEmpty();
    }

    OLOG_INFO() << "-------------------------------------------------------------";

    auto window = std::make_unique<MainWindow>();
    window->show();
    InstanceChannel channel;
    QObject::connect(&channel, &InstanceChannel::sigRaiseRequested, window.get(), [&window] {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    });
    if (!channel.listen(channelName))
        OLOG_WARN() << "No call from a second start possible:" << channelName;
    const int result = app.exec();
    window.reset();
    lock.unlock();
    return result;
}
