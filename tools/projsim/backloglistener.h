#pragma once

#include <QHostAddress>
#include <QString>
#include <QVector>

// A listener nobody accepts from, with its accept queue already full, so a
// client's connect is neither accepted nor refused: its SYNs are dropped and
// the connect hangs the way it does towards a projector that is switched
// off behind a switch.
class BacklogListener
{
public:
    BacklogListener() = default;
    ~BacklogListener();
    BacklogListener(const BacklogListener &) = delete;
    BacklogListener &operator=(const BacklogListener &) = delete;

    bool open(const QHostAddress &address, quint16 port, QString *error);
    void close();

private:
    qintptr m_listener = -1;
    QVector<qintptr> m_fillers;
};
