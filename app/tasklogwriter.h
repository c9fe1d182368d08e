#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

// Writes task logs off the answer path: the end line of a sweep hands the
// lines over and returns at once; one worker thread writes the files in the
// order they were asked for. A failure comes back as sigFailed on the
// writer's thread. Destroying the writer waits for the files already handed
// over, so none is lost at exit.
class TaskLogWriter final : public QObject
{
    Q_OBJECT

public:
    explicit TaskLogWriter(QObject *parent = nullptr);
    ~TaskLogWriter() override;

    // Queues lines for path, each to end in CR LF (the file is replaced).
    void write(const QString &path, const QStringList &lines);
    // Files handed over and not yet reported back.
    int pending() const { return m_pending; }

signals:
    void sigWritten(const QString &path);
    void sigFailed(const QString &path);

private:
    struct Handoff;
    QSharedPointer<Handoff> m_handoff;
    int m_pending = 0;
};
