#pragma once

#include <QByteArray>
#include <QTemporaryFile>

// Redirects the process's error stream (file descriptor 2) into a temporary
// file for as long as the object lives or until stop() is called, so that a
// test can read what was printed there.
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();

    // Restores the error stream and returns everything captured.
    QByteArray stop();
    bool isActive() const { return mSavedFd >= 0; }

private:
    Q_DISABLE_COPY(StderrCapture)

    QTemporaryFile mFile;
    int mSavedFd = -1;
    QByteArray mCaptured;
};
