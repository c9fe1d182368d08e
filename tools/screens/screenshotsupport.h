#pragma once

// What every screenshot tool does the same way: let the window settle,
// save a picture of a widget, and put the window's language in place.

#include "tests/common/testenvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTranslator>
#include <QWidget>

// Runs the event loop for ms: layouts, timers and the first paints happen.
inline void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

inline void saveShot(QWidget *widget, const QString &path)
{
    qInfo("%s %s", widget->grab().save(path) ? "wrote" : "could not write", qPrintable(path));
}

// Installs the built translation of language ("zh_CN"); nothing for English
// or an empty language. The translator must outlive the windows.
inline bool installTranslation(QTranslator &translator, const QString &language)
{
    if (language.isEmpty() || language == QLatin1String("en_US") ||
        !translator.load(TestEnvironment::binDir() + QStringLiteral("/i18n/Orvanto_") + language + QStringLiteral(".qm")))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}
