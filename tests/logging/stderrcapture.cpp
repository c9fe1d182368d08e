#include "stderrcapture.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define orv_dup _dup
#define orv_dup2 _dup2
#define orv_close _close
#define orv_fileno _fileno
#else
#include <unistd.h>
#define orv_dup dup
#define orv_dup2 dup2
#define orv_close close
#define orv_fileno fileno
#endif

StderrCapture::StderrCapture()
{
    if (!mFile.open())
        return;
    std::fflush(stderr);
    mSavedFd = orv_dup(orv_fileno(stderr));
    if (mSavedFd < 0)
        return;
    if (orv_dup2(int(mFile.handle()), orv_fileno(stderr)) < 0) {
        orv_close(mSavedFd);
        mSavedFd = -1;
    }
}

StderrCapture::~StderrCapture()
{
    stop();
}

QByteArray StderrCapture::stop()
{
    if (mSavedFd < 0)
        return mCaptured;
    std::fflush(stderr);
    orv_dup2(mSavedFd, orv_fileno(stderr));
    orv_close(mSavedFd);
    mSavedFd = -1;
    QFile reader(mFile.fileName());
    if (reader.open(QIODevice::ReadOnly))
        mCaptured = reader.readAll();
    return mCaptured;
}
