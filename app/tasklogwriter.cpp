#include "app/tasklogwriter.h"

#include "app/consolelogrules.h"

#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QThreadPool>

// The worker reports under this lock, the writer withdraws under it when it
// dies: a report is posted to a live writer or not at all.
struct TaskLogWriter::Handoff
{
    QMutex mutex;
    TaskLogWriter *receiver = nullptr;
    QThreadPool pool;
};

TaskLogWriter::TaskLogWriter(QObject *parent) : QObject(parent), m_handoff(QSharedPointer<Handoff>::create())
{
    m_handoff->receiver = this;
    // One thread: the files of consecutive tasks are written in order.
    m_handoff->pool.setMaxThreadCount(1);
}

TaskLogWriter::~TaskLogWriter()
{
    {
        QMutexLocker lock(&m_handoff->mutex);
        m_handoff->receiver = nullptr;
    }
    m_handoff->pool.waitForDone();
}

void TaskLogWriter::write(const QString &path, const QStringList &lines)
{
    ++m_pending;
    Handoff *handoff = m_handoff.data();
    m_handoff->pool.start([handoff, path, lines] {
        const bool written = ConsoleLogRules::writeLines(path, lines);
        QMutexLocker lock(&handoff->mutex);
        TaskLogWriter *writer = handoff->receiver;
        if (!writer)
            return;
        QMetaObject::invokeMethod(
            writer,
            [writer, path, written] {
                --writer->m_pending;
                if (written)
                    emit writer->sigWritten(path);
                else
                    emit writer->sigFailed(path);
            },
            Qt::QueuedConnection);
    });
}
