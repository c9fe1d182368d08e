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

    // The installed family that draws Simplified Chinese best (a known good
    // face first, else any that claims the script); empty when there is none.
    static QString chineseFamily();
    // For a Chinese language: every family the shell asks for (the default
    // face, the "Arial" of the style sheets, the monospace face) falls back to
    // the Chinese family, so no text ends up as empty boxes. Other languages
    // are left alone. Returns the family used, or empty.
    static QString useChineseFallback(const QString &language);

    // Bold clock face; Italic monospace face.
    QFont clockFont(int pointSize) const;
    QFont monoItalicFont(int pointSize) const;

private:
    QString m_clockFamily;
    QString m_monoFamily;
};
