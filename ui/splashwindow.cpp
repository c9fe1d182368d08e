#include "ui/splashwindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

SplashWindow::SplashWindow(const QPixmap &picture, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_picture(picture)
{
    setObjectName(QStringLiteral("splashWindow"));
    setAttribute(Qt::WA_TranslucentBackground);
    const QSize size = m_picture.isNull() ? QSize(400, 300) : m_picture.size() / m_picture.devicePixelRatio();
    setFixedSize(size);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SplashWindow::showMessage(const QString &message, Qt::Alignment alignment, const QColor &color)
{
    m_message = message;
    m_alignment = alignment;
    m_color = color;
    update();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture);
    painter.setPen(m_color);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect().adjusted(8, 8, -8, -8), int(m_alignment), m_message);
}

void SplashWindow::mousePressEvent(QMouseEvent *)
{
    close();
}
