#pragma once

#include <QString>

// How the status bar shows a message: failures ("Err..." texts) stay in
// orange until the next message, everything else is a short notice (cyan in
// the dark look, a dark teal that reads on the light look's grey).
//
// A failure is not pushed away by the routine texts that follow it at once
// (a failed connect's "Error:..." and the session's "Socket Timeout!" come in
// the same millisecond): for HoldMs a notice does not replace it.
class StatusMessageStyle
{
public:
    static constexpr int NoticeTimeoutMs = 3000;
    static constexpr int HoldMs = 3000;

    static StatusMessageStyle forText(const QString &text, bool darkLook = true);
    // Whether shown (on screen for shownForMs) stays instead of next.
    static bool keepsShown(const QString &shown, qint64 shownForMs, const QString &next);

    bool isError() const { return m_error; }
    QString styleSheet() const;
    // 0 keeps the message until the next one.
    int timeoutMs() const { return m_error ? 0 : NoticeTimeoutMs; }

private:
    StatusMessageStyle(bool error, bool darkLook) : m_error(error), m_dark(darkLook) {}

    bool m_error;
    bool m_dark;
};
