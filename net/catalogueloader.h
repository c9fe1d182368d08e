#pragma once

#include "net/modelcatalogue.h"

#include <QObject>
#include <QSharedPointer>
#include <QString>

// Reads model catalogue files on the thread pool and hands each result back
// on the loader's own thread with sigLoaded. A file is read once however many
// projectors wait for it: the caller asks once per model. Destroying the
// loader while a file is being read is safe; that result is dropped.
class CatalogueLoader final : public QObject
{
    Q_OBJECT

public:
    explicit CatalogueLoader(QObject *parent = nullptr);
    ~CatalogueLoader() override;

    // Starts reading path for model; sigLoaded follows on a later turn of
    // the event loop, never from inside this call.
    void load(const QString &model, const QString &path);
    int pending() const { return m_pending; }

signals:
    // catalogue is null when the file could not be opened.
    void sigLoaded(const QString &model, const QString &path, const ModelCataloguePtr &catalogue);

private:
    struct Handoff;
    QSharedPointer<Handoff> m_handoff;
    int m_pending = 0;
};
