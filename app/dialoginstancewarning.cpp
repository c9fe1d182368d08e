#include "app/dialoginstancewarning.h"

#include "app/appinfo.h"

#include <QDebug>
#include <QMessageBox>
#include <QObject>

int DialogInstanceWarning::refuse(const QString &lockPath)
{
    qDebug().noquote() << lockPath + QStringLiteral(" Locked!");
    QMessageBox::warning(nullptr, QObject::tr("Warning!"), AppInfo::name() + QObject::tr(" is running!"),
                         QMessageBox::Ok);
    return exitCode;
}
