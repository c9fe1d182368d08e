#include "modalcloser.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

ModalCloser::ModalCloser(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(50);
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

void ModalCloser::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    Seen seen{QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(), QString()};
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        seen.text = box->text();
    m_seen.append(seen);
    if (m_inspector)
        m_inspector(modal);
    modal->close();
}
