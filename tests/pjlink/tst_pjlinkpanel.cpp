#include "monitor/pjlinkmonitor.h"
#include "net/pjlinkdirectory.h"
#include "panel/pjlinkinfopanel.h"

#include "tests/common/testenvironment.h"

#include <QLabel>
#include <QTabWidget>
#include <QtTest>

// The control panel's pages for a PJLink target and back for an op one.
class TestPJLinkPanel : public QObject
{
    Q_OBJECT
private slots:
    void coversThePagesOfAPJLinkTarget()
    {
        QTabWidget tabs;
        for (int i = 0; i < 3; ++i)
            tabs.addTab(new QWidget, QString::number(i));
        PJLinkMonitor monitor(nullptr);
        monitor.setPort(9); // nobody answers: only the pages count here
        monitor.directory()->setClassAnswer(QStringLiteral("127.0.0.2"), QStringLiteral("1"));
        PJLinkInfoPanel panel(&tabs, &monitor);
        panel.setTarget(QStringLiteral("127.0.0.2"));
        auto *note = tabs.widget(2)->findChild<QLabel *>(QStringLiteral("pjlinkCover2"));
        QWidget *info = tabs.widget(0)->findChild<QWidget *>(QStringLiteral("pjlinkCover0"));
        QVERIFY(note && info && !note->isHidden() && !info->isHidden());
        QVERIFY(note->text().contains("does not offer"));
        // Class 1: no freeze row.
        const QList<QLabel *> labels = info->findChildren<QLabel *>();
        QVERIFY(labels.size() > 5);
        QVERIFY(std::none_of(labels.begin(), labels.end(),
                             [](QLabel *l) { return l->text() == "Freeze" && !l->isHidden(); }));
        panel.setTarget(QStringLiteral("127.0.0.3"));
        QVERIFY(note->isHidden() && info->isHidden() && !panel.isShown());
    }
};

ORV_TEST_MAIN(TestPJLinkPanel)
#include "tst_pjlinkpanel.moc"
