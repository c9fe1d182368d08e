#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The manager's command line: [-h|--help] [-v|--version] [settings-file].
// It is read before the window system, the network or any folder is touched,
// so that --help and --version answer anywhere and a mistyped settings file
// stops the start instead of silently falling back to the defaults. The
// toolkit's own options (-platform, -style, ...) pass through untouched.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Exit code of every command-line error: unknown option, too many
    // arguments, a settings file that does not exist or cannot be read.
    static constexpr int usageError = 2;

    // arguments as the program got them, its path first. Asking for the
    // usage needs a QCoreApplication.
    static CommandLine parse(const QStringList &arguments);

    // True when the program ends here (usage, version or an error) with
    // exitCode(), after printing message() to the output or the error stream.
    bool exits() const { return m_exits; }
    int exitCode() const { return m_exitCode; }
    QString message() const { return m_message; }
    bool messageIsError() const { return m_exitCode != 0; }

    // The settings file named on the command line, empty without one.
    QString settingsPath() const { return m_settingsPath; }

    // "Language" of group "Default" of the settings file in use: the one
    // named on the command line, else <configFolder>/Orvanto.ini; "en_US"
    // when the key or the configuration folder's file is missing.
    QString language(const QString &configFolder) const;

private:
    static CommandLine finish(int exitCode, const QString &message);

    bool m_exits = false;
    int m_exitCode = 0;
    QString m_message;
    QString m_settingsPath;
};
