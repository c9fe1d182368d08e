#pragma once

// Shared by the fuzz harnesses: one QCoreApplication for the classes that
// need an event loop or translations, Qt's own chatter kept off the
// fuzzer's output, and FUZZ_CHECK for the promises each parser makes.
// A broken promise aborts, so libFuzzer keeps the input as a crash.

#include <QByteArray>
#include <QByteArrayList>
#include <QCoreApplication>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "Promise broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

namespace FuzzSupport {

inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(message));
        std::abort();
    }
}

// Call from LLVMFuzzerInitialize.
inline void init(int *argc, char ***argv)
{
    qInstallMessageHandler(quietMessages);
    static QCoreApplication app(*argc, *argv);
    Q_UNUSED(app)
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

// The input cut into pieces at the record separator 0x1E, so that one
// input can carry several texts (a command and the serial stream, options
// and an answer ...). Always at least count pieces (missing ones empty).
inline QByteArrayList pieces(const QByteArray &input, int count)
{
    QByteArrayList parts = input.split('\x1e');
    while (parts.size() < count)
        parts.append(QByteArray());
    return parts;
}

} // namespace FuzzSupport

#define FUZZ_INIT                                                                                                      \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)                                                       \
    {                                                                                                                  \
        FuzzSupport::init(argc, argv);                                                                                 \
        return 0;                                                                                                      \
    }
