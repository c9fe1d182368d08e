#include "net/catalogueloader.h"

#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QThreadPool>

// The worker posts its result to the loader under this lock, and the loader
// withdraws under the same lock when it dies: a result is either posted to a
// live loader (and dropped with its posted events if it dies later) or not
// posted at all.
struct CatalogueLoader::Handoff
{
    QMutex mutex;
    CatalogueLoader *receiver = nullptr;
};

CatalogueLoader::CatalogueLoader(QObject *parent) : QObject(parent), m_handoff(QSharedPointer<Handoff>::create())
{
    qRegisterMetaType<ModelCataloguePtr>("ModelCataloguePtr");
    m_handoff->receiver = this;
}

CatalogueLoader::~CatalogueLoader()
{
    QMutexLocker lock(&m_handoff->mutex);
    m_handoff->receiver = nullptr;
}

void CatalogueLoader::load(const QString &model, const QString &path)
{
    ++m_pending;
    const QSharedPointer<Handoff> handoff = m_handoff;
    QThreadPool::globalInstance()->start([handoff, model, path] {
        const ModelCataloguePtr catalogue = ModelCatalogue::fromModelFile(path);
        QMutexLocker lock(&handoff->mutex);
        if (!handoff->receiver)
            return;
        CatalogueLoader *loader = handoff->receiver;
        QMetaObject::invokeMethod(
            loader,
            [loader, model, path, catalogue] {
                --loader->m_pending;
                emit loader->sigLoaded(model, path, catalogue);
            },
            Qt::QueuedConnection);
    });
}
