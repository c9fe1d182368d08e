#include "tests/bridge/modalcloser.h"

#include <QApplication>
#include <QMessageBox>

ModalCloser::ModalCloser(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalCloser::check);
    m_timer.start();
}

void ModalCloser::clear()
{
    m_titles.clear();
    m_texts.clear();
}

void ModalCloser::check()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_titles << box->windowTitle();
    m_texts << box->text();
    box->done(QMessageBox::Ok);
}
