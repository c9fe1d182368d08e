#include "tests/common/testenvironment.h"

#include "app/consolepane.h"
#include "app/tasklogwriter.h"
#include "tests/common/testfiles.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>

class TestConsolePane : public QObject
{
    Q_OBJECT

private slots:
    void linesOfOneTurnAppendTogether()
    {
        QPlainTextEdit view;
        ConsolePane pane(&view);
        int edits = 0;
        connect(view.document(), &QTextDocument::contentsChange, [&edits] { ++edits; });
        pane.append("first", Qt::blue);
        pane.append("second", Qt::red);
        QCOMPARE(view.toPlainText(), QString());
        QTRY_COMPARE(view.toPlainText(), QString("first\nsecond"));
        QCOMPARE(edits, 1);
        QCOMPARE(view.document()->lastBlock().begin().fragment().charFormat().foreground().color(), QColor(Qt::red));
        // Saving reads what was handed in, also before the next turn.
        pane.append("third", Qt::blue);
        pane.flush();
        QCOMPARE(view.document()->blockCount(), 3);
        pane.append("dropped by the clear", Qt::blue);
        pane.clear();
        QTest::qWait(10);
        QVERIFY(view.toPlainText().isEmpty());
    }

    void paneKeepsTheNewestLines()
    {
        QPlainTextEdit view;
        ConsolePane pane(&view);
        const int total = ConsolePane::MaxBlocks + 5000;
        for (int i = 0; i < total; ++i) {
            pane.append(QString::number(i), Qt::gray);
            if (i % 1000 == 999)
                pane.flush();
        }
        QVERIFY(pane.pendingLines() <= ConsolePane::MaxBlocks);
        pane.flush();
        QCOMPARE(view.document()->blockCount(), ConsolePane::MaxBlocks);
        QCOMPARE(view.document()->lastBlock().text(), QString::number(total - 1));
        QVERIFY(!view.document()->isUndoAvailable());
    }

    void taskLogsAreWrittenByTheWorker()
    {
        QTemporaryDir dir;
        TaskLogWriter writer;
        QSignalSpy written(&writer, &TaskLogWriter::sigWritten);
        QSignalSpy failed(&writer, &TaskLogWriter::sigFailed);
        writer.write(dir.filePath("a.tasklog.txt"), {"one", "two"});
        writer.write(dir.filePath("missing/b.tasklog.txt"), {"x"});
        QCOMPARE(writer.pending(), 2);
        QTRY_COMPARE(written.size() + failed.size(), 2);
        QCOMPARE(written.first().first().toString(), dir.filePath("a.tasklog.txt"));
        QCOMPARE(failed.first().first().toString(), dir.filePath("missing/b.tasklog.txt"));
        QCOMPARE(TestFiles::read(dir.filePath("a.tasklog.txt")), QByteArray("one\r\ntwo\r\n"));
        QCOMPARE(writer.pending(), 0);
    }
};

ORV_TEST_MAIN(TestConsolePane)
#include "tst_consolepane.moc"
