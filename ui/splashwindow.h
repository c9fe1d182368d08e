#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// The start-up picture with one line of text. Unlike QSplashScreen, showing
// it or changing its message never processes pending events: it is shown
// while the main window is still being built, and later from inside network
// slots, where running the event loop would re-enter half-done work.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(const QPixmap &picture, QWidget *parent = nullptr);

    void showMessage(const QString &message, Qt::Alignment alignment, const QColor &color);
    QString message() const { return m_message; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QString m_message;
    Qt::Alignment m_alignment = Qt::AlignTop | Qt::AlignHCenter;
    QColor m_color = Qt::black;
};
