#include "tests/common/modalcloser.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

ModalCloser::ModalCloser(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalCloser::poll);
    m_timer.start();
}

QStringList ModalCloser::classNames() const
{
    QStringList names;
    for (const Seen &seen : m_seen)
        names << seen.className;
    return names;
}

QStringList ModalCloser::titles() const
{
    QStringList result;
    for (const Seen &seen : m_seen)
        if (seen.isMessageBox)
            result << seen.title;
    return result;
}

QStringList ModalCloser::texts() const
{
    QStringList result;
    for (const Seen &seen : m_seen)
        if (seen.isMessageBox)
            result << seen.text;
    return result;
}

void ModalCloser::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    Seen seen{QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(), QString(), false};
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (box) {
        seen.text = box->text();
        seen.isMessageBox = true;
    }
    m_seen.append(seen);
    if (m_inspector)
        m_inspector(modal);
    if (box)
        box->done(QMessageBox::Ok);
    else
        modal->close();
}
