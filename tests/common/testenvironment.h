#pragma once

#include <QString>
#include <QtTest>

// Gives every test process a private, temporary home so that no test ever
// touches the user's folders: HOME, XDG_DATA_HOME, XDG_CONFIG_HOME,
// XDG_CACHE_HOME, XDG_RUNTIME_DIR and TMPDIR all point below one fresh
// folder that is removed when the process ends. Must run before the
// application object is created (the macros below take care of it).
class TestEnvironment
{
public:
    static void isolate();

    // The private root made by isolate().
    static QString root();

    // Folder holding the built programs and the files shipped beside them.
    static QString binDir();

    // Top of the source tree (for test data).
    static QString sourceDir();
};

#define ORV_TEST_MAIN(TestObject)                                                                                      \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TestEnvironment::isolate();                                                                                    \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

#define ORV_TEST_GUILESS_MAIN(TestObject)                                                                              \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TestEnvironment::isolate();                                                                                    \
        QCoreApplication app(argc, argv);                                                                              \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
