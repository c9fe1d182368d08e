#pragma once

#include "app/orvlog/level.h"

#include <QDebug>
#include <QString>

namespace OrvLogging {

// The short-lived object behind the OLOG_* macros: items are streamed into
// it like into qDebug() (each followed by a blank, strings quoted) and the
// collected text is written as one line when it is destroyed.
class LogWriter
{
public:
    explicit LogWriter(Level level);
    ~LogWriter();

    QDebug &stream() { return mStream; }

private:
    Q_DISABLE_COPY(LogWriter)

    Level mLevel;
    QString mBuffer;
    QDebug mStream; // writes into mBuffer, so declared after it
};

// Swallows the stream expression so that the macros form one conditional
// expression (safe inside an unbraced if/else).
struct LogWriterVoidify
{
    void operator&(const QDebug &) const {}
};

} // namespace OrvLogging
