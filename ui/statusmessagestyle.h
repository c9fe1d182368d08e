#pragma once

#include <QString>

// How the status bar shows a message: failures ("Err..." texts) stay in
// orange until the next message, everything else is a short cyan notice.
class StatusMessageStyle
{
public:
    static constexpr int NoticeTimeoutMs = 3000;

    static StatusMessageStyle forText(const QString &text);

    bool isError() const { return m_error; }
    QString styleSheet() const;
    // 0 keeps the message until the next one.
    int timeoutMs() const { return m_error ? 0 : NoticeTimeoutMs; }

private:
    explicit StatusMessageStyle(bool error) : m_error(error) {}

    bool m_error;
};
