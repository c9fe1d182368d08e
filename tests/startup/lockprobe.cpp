// A minimal stand-in for the manager's start: takes the instance lock the same
// way and, when refused, shows the same box. It closes that box itself and
// reports it on stdout, so a test can watch two copies compete for the lock.
//
//   orv_lockprobe start   take the lock, print "LOCKED" and end (exit 0)
//   orv_lockprobe hold    take the lock, print "LOCKED", keep it until stdin closes
// A refused start prints "BOX <title>|<text>" and ends with the refusal's code.

#include "app/dialoginstancewarning.h"
#include "app/instancelock.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool hold = app.arguments().value(1) == QLatin1String("hold");

    InstanceLock lock;
    if (!lock.tryLock(100)) {
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, &app, [] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            std::printf("BOX %s|%s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
            std::fflush(stdout);
            box->accept();
        });
        closer.start();
        return DialogInstanceWarning::refuse(lock.path());
    }
    std::printf("LOCKED\n");
    std::fflush(stdout);
    if (hold) {
        QFile in;
        if (in.open(stdin, QIODevice::ReadOnly))
            in.readAll();
    }
    return 0;
}
