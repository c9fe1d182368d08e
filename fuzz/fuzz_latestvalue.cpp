// The latest-value resender: after any mix of quick settings, drops and
// actions, every projector ends at the last value asked for each word.
// Input: one byte per operation.
#include "fuzz/fuzzsupport.h"

#include "panel/latestvalueresender.h"

#include <QElapsedTimer>
#include <QHash>
#include <QThread>

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 256)
        return 0;
    const QStringList ips{QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")};
    const QStringList words{QStringLiteral("bright"), QStringLiteral("contrast"), QStringLiteral("Bright")};

    QHash<QString, QString> delivered; // ip + word (lower case) -> value the projector got
    bool dropNext = false;
    LatestValueResender *resender = nullptr;
    LatestValueResender::Sender sender = [&](const QString &ip, const QString &command) {
        if (dropNext) {
            dropNext = false;
            return false;
        }
        const int equals = command.indexOf(QLatin1Char('='));
        if (equals > 0) {
            const QString word = command.left(equals).simplified().mid(3).toLower();
            delivered[ip + QLatin1Char('|') + word] = command.mid(equals + 1).trimmed();
        }
        return true;
    };
    LatestValueResender local(sender);
    resender = &local;
    resender->setIntervalMs(3);

    QHash<QString, QString> wanted;
    for (size_t i = 0; i < size; ++i) {
        const quint8 op = data[i];
        const QString &ip = ips.at(op & 1);
        const QString &word = words.at((op >> 1) % 3);
        const QString value = QString::number((op >> 3) & 7);
        switch (op >> 6) {
        case 0: // a setting, sent or waiting
        case 1: {
            const QString command = QStringLiteral("op %1 = %2").arg(word, value);
            wanted[ip + QLatin1Char('|') + word.toLower()] = value;
            resender->send(ip, command);
            break;
        }
        case 2: { // the single-send rule drops the next one
            const QString command = QStringLiteral("op %1 = %2").arg(word, value);
            wanted[ip + QLatin1Char('|') + word.toLower()] = value;
            dropNext = true;
            if (!resender->send(ip, command) && !dropNext)
                resender->noteDropped(ip, command);
            dropNext = false;
            break;
        }
        case 3: // an action: straight through, never repeated
            resender->send(ip, QStringLiteral("op hsg.reset"));
            break;
        }
    }

    // Let the interval pass.
    QElapsedTimer waited;
    waited.start();
    while (resender->pendingCount() > 0 && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    FUZZ_CHECK(resender->pendingCount() == 0);
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        FUZZ_CHECK(delivered.value(it.key()) == it.value());
    return 0;
}
