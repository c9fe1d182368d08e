#pragma once

#include <QFont>
#include <QString>

// The two fonts shipped in the resources: a seven-segment face for the
// toolbar clock and a monospace face for typed commands. Families are taken
// from the loaded files, so replacing a file never leaves a dangling name.
class ShellFonts
{
public:
    static constexpr const char *ClockFontPath = ":/font/monofonto.ttf";
    static constexpr const char *MonoFontPath = ":/font/LiberationMono.ttf";

    // Registers both files with the application (once per process).
    static ShellFonts load();

    QString clockFamily() const { return m_clockFamily; }
    QString monoFamily() const { return m_monoFamily; }

    // Bold clock face; Italic monospace face.
    QFont clockFont(int pointSize) const;
    QFont monoItalicFont(int pointSize) const;

private:
    QString m_clockFamily;
    QString m_monoFamily;
};
