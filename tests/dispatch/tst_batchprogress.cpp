#include "net/batchprogress.h"

#include "tests/common/testenvironment.h"

#include <QSignalSpy>
#include <QtTest>

class TestBatchProgress : public QObject
{
    Q_OBJECT
private slots:
    void batchRunsToItsEnd();
    void answersWithoutBatchOnlyHide();
    void emptyBatchEndsSilently();
    void secondStartReplacesExpectation();
    void listenerMayStartNextBatch();
};

void TestBatchProgress::batchRunsToItsEnd()
{
    BatchProgress progress;
    QSignalSpy started(&progress, &BatchProgress::sigStarted);
    QSignalSpy value(&progress, &BatchProgress::sigValue);
    QSignalSpy hide(&progress, &BatchProgress::sigHide);
    QSignalSpy end(&progress, &BatchProgress::sigEndStatusBar);

    progress.start(3);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 3);
    QCOMPARE(started.at(0).at(1).toInt(), 1);
    QCOMPARE(progress.counter(), 1);
    QCOMPARE(progress.expected(), 3);

    progress.advance();
    progress.advance();
    QCOMPARE(hide.count(), 0);
    QCOMPARE(end.count(), 0);
    QCOMPARE(progress.counter(), 3);

    progress.advance();
    QCOMPARE(value.count(), 3);
    QCOMPARE(value.at(0).at(0).toInt(), 1);
    QCOMPARE(value.at(1).at(0).toInt(), 2);
    QCOMPARE(value.at(2).at(0).toInt(), 3);
    QCOMPARE(hide.count(), 1);
    QCOMPARE(end.count(), 1);
    QCOMPARE(progress.expected(), 0);
    QCOMPARE(progress.counter(), 4);

    // A straggler after the end neither ends the batch again nor stalls.
    progress.advance();
    QCOMPARE(end.count(), 1);
    QCOMPARE(hide.count(), 2);
    QCOMPARE(value.last().at(0).toInt(), 4);
}

void TestBatchProgress::answersWithoutBatchOnlyHide()
{
    BatchProgress progress;
    QSignalSpy value(&progress, &BatchProgress::sigValue);
    QSignalSpy hide(&progress, &BatchProgress::sigHide);
    QSignalSpy end(&progress, &BatchProgress::sigEndStatusBar);

    progress.advance();
    progress.advance();
    QCOMPARE(value.count(), 2);
    QCOMPARE(value.at(0).at(0).toInt(), 0);
    QCOMPARE(value.at(1).at(0).toInt(), 1);
    QCOMPARE(hide.count(), 2);
    QCOMPARE(end.count(), 0);
}

void TestBatchProgress::emptyBatchEndsSilently()
{
    BatchProgress progress;
    QSignalSpy hide(&progress, &BatchProgress::sigHide);
    QSignalSpy end(&progress, &BatchProgress::sigEndStatusBar);
    progress.start(0);
    progress.advance();
    QCOMPARE(hide.count(), 1);
    QCOMPARE(end.count(), 0);
}

void TestBatchProgress::secondStartReplacesExpectation()
{
    BatchProgress progress;
    QSignalSpy end(&progress, &BatchProgress::sigEndStatusBar);
    progress.start(5);
    progress.advance();
    progress.advance();
    progress.start(2);
    QCOMPARE(progress.counter(), 1);
    progress.advance();
    QCOMPARE(end.count(), 0);
    progress.advance();
    QCOMPARE(end.count(), 1);
}

void TestBatchProgress::listenerMayStartNextBatch()
{
    BatchProgress progress;
    int ends = 0;
    connect(&progress, &BatchProgress::sigEndStatusBar, this, [&]() {
        if (++ends == 1)
            progress.start(2);
    });
    progress.start(1);
    progress.advance();
    QCOMPARE(ends, 1);
    QCOMPARE(progress.expected(), 2);
    progress.advance();
    progress.advance();
    QCOMPARE(ends, 2);
    QCOMPARE(progress.expected(), 0);
}

ORV_TEST_GUILESS_MAIN(TestBatchProgress)
#include "tst_batchprogress.moc"
