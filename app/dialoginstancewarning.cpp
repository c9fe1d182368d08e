#include "app/dialoginstancewarning.h"

#include "app/appinfo.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QObject>
#include <QStyleFactory>

int DialogInstanceWarning::refuse(const QString &lockPath, bool runningWindowRaised)
{
    qDebug().noquote() << lockPath + QStringLiteral(" Locked!");
    if (runningWindowRaised)
        return exitCode;
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QMessageBox::warning(nullptr, QObject::tr("Warning!"), AppInfo::name() + QObject::tr(" is running!"),
                         QMessageBox::Ok);
    return exitCode;
}
