#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Brivox's command line: [-h|--help] [-v|--version]. Read before the window
// system is touched, so that both answer without a display; the toolkit's own
// options (-platform, -style, ...) pass through untouched.
class BridgeCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(BridgeCommandLine)

public:
    // Exit code of an unknown option or an unexpected argument.
    static constexpr int usageError = 2;

    // arguments as the program got them, its path first; version is what
    // --version prints after the name. Needs a QCoreApplication.
    static BridgeCommandLine parse(const QStringList &arguments, const QString &version);

    // True when the program ends here with exitCode(), after printing
    // message() to the output (exit code 0) or the error stream.
    bool exits() const { return m_exits; }
    int exitCode() const { return m_exitCode; }
    QString message() const { return m_message; }

private:
    bool m_exits = false;
    int m_exitCode = 0;
    QString m_message;
};
