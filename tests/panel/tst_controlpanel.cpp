#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "panel/controlpanel.h"
#include "panel/infotabcontrols.h"
#include "panel/paneltabs.h"
#include "panel/widgetcommandtable.h"
#include "automation/scripthost.h"
#include "monitor/tablemodelstatus.h"
#include "net/grouptree.h"
#include "net/pjlinkdirectory.h"
#include "monitor/pjlinkmonitor.h"
#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"
#include "tests/panel/panelfixture.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTreeWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

// The control panel in the main window, driven through its widgets against a
// simulated projector that reports every request line it receives.
class TestControlPanel : public QObject
{
    Q_OBJECT

    template <typename T> T *w(const char *name)
    {
        T *found = m_fixture.child<T>(QLatin1String(name));
        return found ? found : (qFatal("missing %s", name), nullptr);
    }
    void openTab(int index)
    {
        // The tab is filled once the session of its batch has ended.
        QSignalSpy ended(m_fixture.window()->dispatch(), &CommandDispatch::sigBatchSessionEnded);
        m_fixture.clickTab(index);
        QVERIFY(ended.wait(3000));
        QTest::qWait(20);
    }
    // A radio button takes clicks on its indicator and text only.
    void clickRadio(const char *name)
    {
        QRadioButton *radio = w<QRadioButton>(name);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    }
    ControlPanel *panel() { return m_fixture.window()->controlPanel(); }

    PanelFixture m_fixture;

private slots:
    void initTestCase() { QVERIFY2(m_fixture.start(), m_fixture.errorText()); }

    void init()
    {
        // Every case starts outside the projector's 300 ms single-send window.
        QTest::qWait(350);
        m_fixture.take();
    }
    // A case that moved the target and failed leaves the others theirs.
    void cleanup() { panel()->setTarget(PanelFixture::Ip); }

    void everyTableWidgetExists()
    {
        int missing = 0;
        for (const QString &line : QString::fromLatin1(WidgetCommandTable::text()).split('\n', Qt::SkipEmptyParts)) {
            const QString name = line.section(',', 0, 0);
            if (!m_fixture.child<QWidget>(name)) {
                qWarning("missing widget %s", qPrintable(name));
                ++missing;
            }
        }
        QCOMPARE(missing, 0);
    }

    void pictureTabFillsFromProjector()
    {
        // The projector holds values the panel has not seen yet.
        m_fixture.window()->dispatch()->sendCommandList(QTime::currentTime(), PanelFixture::Ip,
                                                        {"op bright = 63", "op gamma = 5"}, false);
        QVERIFY(m_fixture.waitForRequest("op gamma = 5"));
        openTab(PanelTabs::Picture);
        QVERIFY(m_fixture.waitForRequest("op hsg.wb.gain ?"));
        const QStringList requests = m_fixture.take();
        QVERIFY(requests.contains("op bright ?"));
        QVERIFY(!requests.contains("op  ?"));
        QTRY_COMPARE(w<QSlider>("sliderBrightness")->value(), 63);
        QVERIFY(w<QSlider>("sliderBrightness")->isEnabled());
        QCOMPARE(w<QLabel>("label_sliderBrightness")->text(), QStringLiteral("63"));
        QCOMPARE(w<QComboBox>("comboboxGamma")->count(), 8);
        QCOMPARE(w<QComboBox>("comboboxGamma")->currentText(), QStringLiteral("2.0"));
        QCOMPARE(w<QSlider>("sliderHue")->maximum(), 100);
        // Filling sent nothing back.
        QTest::qWait(100);
        for (const QString &line : m_fixture.take())
            QVERIFY2(line.endsWith(" ?"), qPrintable(line));
    }

    void sliderComboAndRadioSendTheirCommands()
    {
        openTab(PanelTabs::Picture);
        QSlider *contrast = w<QSlider>("sliderContrast");
        contrast->setFocus();
        QTest::qWait(350);
        m_fixture.take();
        const int before = contrast->value();
        QTest::keyClick(contrast, Qt::Key_Right);
        QVERIFY(m_fixture.waitForRequest(QStringLiteral("op contrast = %1").arg(before + 1)));

        QTest::qWait(350);
        QComboBox *gamma = w<QComboBox>("comboboxGamma");
        gamma->setCurrentIndex(3);
        QVERIFY(m_fixture.waitForRequest("op gamma = 3"));

        QTest::qWait(350);
        openTab(PanelTabs::Input);
        QTest::qWait(350);
        clickRadio("rbVGA");
        QVERIFY(m_fixture.waitForRequest("op input.sel = 2"));

        // The Info tab's input group sends the same command as the Input tab's.
        QTest::qWait(350);
        openTab(PanelTabs::Info);
        QTest::qWait(350);
        QTRY_VERIFY(w<QRadioButton>("rbVGA_2")->isChecked());
        clickRadio("rbHDMI2_2");
        QVERIFY(m_fixture.waitForRequest("op input.sel = 1"));
        // One change, one command: no other tab's handler repeats it.
        QTest::qWait(400);
        QCOMPARE(m_fixture.all().count("op input.sel = 1"), 1);
    }

    void pipControlsFollowPipOption()
    {
        openTab(PanelTabs::Input);
        QComboBox *option = w<QComboBox>("comboboxPipOption");
        QTRY_COMPARE(option->count(), 3);
        option->setCurrentIndex(0);
        QVERIFY(!w<QGroupBox>("groupboxPipPosition")->isEnabled());
        QTest::qWait(350);
        option->setCurrentIndex(1);
        QVERIFY(w<QGroupBox>("groupboxPipPosition")->isEnabled());
        QVERIFY(w<QComboBox>("comboboxPipInput")->isEnabled());
        QVERIFY(m_fixture.waitForRequest("op pip.mode = 1"));
        QTest::qWait(350);
        clickRadio("rbPIP_PBP");
        QVERIFY(m_fixture.waitForRequest("op pip.position = 4"));
    }

    void dragEndsAtFinalValue()
    {
        openTab(PanelTabs::Picture);
        QTest::qWait(350);
        m_fixture.take();
        QSlider *slider = w<QSlider>("sliderSharpness");
        QVERIFY(slider->isEnabled());
        slider->setMinimum(0);
        for (int v = 1; v <= 15; ++v) {
            slider->setValue(v);
            QTest::qWait(20);
        }
        QVERIFY(m_fixture.waitForRequest("op sharp = 15", 2000));
        QStringList sent;
        for (const QString &line : m_fixture.all())
            if (line.startsWith("op sharp = "))
                sent << line;
        QVERIFY2(sent.size() <= 3, qPrintable(sent.join(" | ")));
        QCOMPARE(sent.last(), QStringLiteral("op sharp = 15"));
    }

    void passcodeRejectsEscapedThenOpensAllLockedTabs()
    {
        ModalCloser &closer = m_fixture.modalCloser();
        closer.clear();
        m_fixture.answerPasscodeWith("<i>12</i>");
        m_fixture.clickTab(PanelTabs::Install);
        QTRY_COMPARE(closer.titles(), QStringList{"No Pass!"});
        QCOMPARE(closer.texts().first(), QStringLiteral("Password Rejected: <b><u>&lt;i&gt;12&lt;/i&gt;</u></b>"));
        QVERIFY(!m_fixture.child<QScrollArea>("scrollPanel_tabInstall")->isVisible());
        QVERIFY(!panel()->accessGranted());

        closer.clear();
        m_fixture.answerPasscodeWith("9071");
        m_fixture.clickTab(PanelTabs::Lens);
        QTRY_COMPARE(closer.titles(), QStringList{"Passed!"});
        QVERIFY(panel()->accessGranted());
        QTRY_VERIFY(m_fixture.child<QScrollArea>("scrollPanel_tabLens")->isVisible());
        // No more questions for the other locked tabs.
        closer.clear();
        for (int tab : {PanelTabs::Install, PanelTabs::EdgeBlend, PanelTabs::Geometry, PanelTabs::Service}) {
            m_fixture.clickTab(tab);
            QTRY_VERIFY(m_fixture.tabs()->widget(tab)->findChild<QScrollArea *>()->isVisible());
        }
        QTest::qWait(100);
        QVERIFY(closer.seen().isEmpty());
        m_fixture.modalCloser().setInspector(nullptr);
    }

    void lensMemoryButtonsUseSelector()
    {
        QVERIFY(panel()->accessGranted());
        openTab(PanelTabs::Lens);
        QComboBox *selector = w<QComboBox>("comboLensMemory");
        QTRY_COMPARE(selector->count(), 10);
        QCOMPARE(w<QLabel>("textLensMemory1")->text(), QStringLiteral("Main screen"));
        selector->setCurrentIndex(2);
        QTest::qWait(350);
        QTest::mouseClick(w<QPushButton>("pushbuttonSave"), Qt::LeftButton);
        QVERIFY(m_fixture.waitForRequest("op lens.save = 3"));
        QTest::qWait(350);
        selector->setEditText("Balcony");
        QTest::mouseClick(w<QPushButton>("pushbuttonRename"), Qt::LeftButton);
        QVERIFY(m_fixture.waitForRequest("op lens.mem.3 = Balcony"));
        QTest::qWait(350);
        QTest::mouseClick(w<QPushButton>("pushbuttonUp2"), Qt::LeftButton);
        QVERIFY(m_fixture.waitForRequest("op lens.up.2"));
    }

    void deferredSendsKeepTheirProjector()
    {
        QVERIFY(panel()->accessGranted());
        openTab(PanelTabs::EdgeBlend);
        QSlider *all = w<QSlider>("sliderEB_GainAll");
        QTRY_VERIFY(all->isEnabled());
        QTest::qWait(350);
        all->setValue(10);
        QTest::qWait(100);
        all->setValue(200);
        QTest::qWait(100);
        // The trailing 200 was meant for this projector, not the next one.
        panel()->setTarget("127.0.0.3");
        QVERIFY(m_fixture.waitForRequest("op eb.red = 200", 1000));
        QVERIFY(m_fixture.waitForRequest("op eb.blue = 200", 1000));
        QCOMPARE(w<QSlider>("sliderEB_GainGreen")->value(), 200);
        panel()->setTarget(PanelFixture::Ip);

        // A colour reset reads the new colours back, but not from another
        // projector.
        openTab(PanelTabs::Picture);
        QTest::qWait(350);
        m_fixture.take();
        QTest::mouseClick(w<QPushButton>("pushbuttonHSG_Reset"), Qt::LeftButton);
        QVERIFY(m_fixture.waitForRequest("op hsg.reset"));
        QVERIFY(m_fixture.waitForRequest("op hsg.r.gain ?"));
        QTest::qWait(350);
        QTest::mouseClick(w<QPushButton>("pushbuttonHSG_Reset"), Qt::LeftButton);
        panel()->setTarget("127.0.0.3");
        QSignalSpy batches(panel(), &ControlPanel::sigBatchTitle);
        QTest::qWait(600);
        panel()->setTarget(PanelFixture::Ip);
        QCOMPARE(batches.count(), 0);
        // Nor is the lamp check after Power On shown for another projector.
        QLabel *lamp = w<QLabel>("labelLampPixmap");
        lamp->clear();
        static_cast<InfoTabControls *>(panel()->specials(PanelTabs::Info))->checkLamp("127.0.0.3");
        QVERIFY(lamp->pixmap(Qt::ReturnByValue).isNull());
    }

    void pjlinkTargetIsSentNoOpLines()
    {
        // The same address, now known to speak PJLink: its op pages stay quiet.
        PJLinkDirectory *directory = m_fixture.window()->pjlinkMonitor()->directory();
        directory->setClassAnswer(PanelFixture::Ip, QStringLiteral("1"));
        auto forget = qScopeGuard([directory] { directory->setProbed(PanelFixture::Ip, false); });
        panel()->setTarget(QStringLiteral("127.0.0.3"));
        panel()->setTarget(PanelFixture::Ip);
        for (int tab : {PanelTabs::Picture, PanelTabs::Lens, PanelTabs::Info})
            m_fixture.clickTab(tab);
        QTest::qWait(600);
        const QStringList sent = m_fixture.take();
        QVERIFY2(sent.isEmpty(), qPrintable(sent.join(' ')));
        forget.dismiss();
        directory->setProbed(PanelFixture::Ip, false);
        openTab(PanelTabs::Picture);
        QVERIFY(!m_fixture.take().isEmpty());
    }

    void eachBatchRefreshesItsOwnTab()
    {
        openTab(PanelTabs::Picture);
        // Answers the catalogue does not hold yet come with the Picture batch.
        CommandCatalogue *catalogue = m_fixture.window()->commandCatalogue();
        const QStringList last{"hsg.y.hue", "hsg.wr.gain", "hsg.wg.gain", "hsg.wb.gain"};
        for (const QString &op : last)
            QVERIFY(catalogue->updateCatalogueValue(PanelFixture::Ip, op, "none"));
        QSignalSpy ended(m_fixture.window()->dispatch(), &CommandDispatch::sigBatchSessionEnded);
        m_fixture.clickTab(PanelTabs::ThreeD);
        m_fixture.clickTab(PanelTabs::Picture);
        QTRY_COMPARE(ended.count(), 2);
        QTest::qWait(20);
        for (const char *name : {"sliderHSG_YellowHue", "sliderHSG_WhiteRedGain", "sliderHSG_WhiteBlueGain"})
            QVERIFY2(w<QSlider>(name)->isEnabled(), name);
    }

    void changeDuringRefreshIsNotOverwritten()
    {
        openTab(PanelTabs::Picture);
        QTest::qWait(350);
        QSlider *brightness = w<QSlider>("sliderBrightness");
        const int read = brightness->value();
        const int mine = read == 40 ? 41 : 40;
        QSignalSpy ended(m_fixture.window()->dispatch(), &CommandDispatch::sigBatchSessionEnded);
        panel()->requestTab(PanelTabs::Picture);
        brightness->setValue(mine);
        // The reading asked before the change is older than the widget.
        m_fixture.window()->commandCatalogue()->updateCatalogueValue(PanelFixture::Ip, "bright", QString::number(read));
        panel()->refreshCurrent();
        QCOMPARE(brightness->value(), mine);
        QVERIFY(ended.wait(3000));
        QCOMPARE(brightness->value(), mine);
        // A reading asked after it shows the projector again.
        m_fixture.window()->commandCatalogue()->updateCatalogueValue(PanelFixture::Ip, "bright", QString::number(read));
        openTab(PanelTabs::Picture);
        QTRY_COMPARE(brightness->value(), m_fixture.window()->commandCatalogue()->lookupCatalogue(
                                              CommandCatalogue::ValueColumn, "bright",
                                              CommandCatalogue::OpCommandColumn, PanelFixture::Ip).toInt());
    }

    void stepButtonAtSliderEndSendsNothing()
    {
        QVERIFY(panel()->accessGranted());
        openTab(PanelTabs::Geometry);
        QSlider *keystone = w<QSlider>("sliderKeystoneH");
        QTRY_VERIFY(keystone->isEnabled());
        QCOMPARE(keystone->maximum(), 40);
        keystone->setValue(39);
        QVERIFY(m_fixture.waitForRequest("op h.keystone = 39"));
        QTest::qWait(350);
        QTest::mouseClick(w<QPushButton>("pushbtnKH1"), Qt::LeftButton);
        QVERIFY(m_fixture.waitForRequest("op h.keystone = 40"));
        QTest::qWait(350);
        m_fixture.take();
        QTest::mouseClick(w<QPushButton>("pushbtnKH1"), Qt::LeftButton);
        QTest::qWait(400);
        QCOMPARE(keystone->value(), 40);
        QCOMPARE(m_fixture.take(), QStringList());
        // A reset sends both keystone values as one batch.
        QTest::mouseClick(w<QPushButton>("pushbuttonKeystoneReset"), Qt::LeftButton);
        QVERIFY(m_fixture.waitForRequest("op v.keystone = 0"));
        QVERIFY(m_fixture.all().contains("op h.keystone = 0"));
        QCOMPARE(keystone->value(), 0);
    }

    void lineEditSendsAddress()
    {
        QVERIFY(panel()->accessGranted());
        openTab(PanelTabs::Install);
        QLineEdit *gateway = w<QLineEdit>("lineeditGateway");
        QTRY_COMPARE(gateway->text(), QStringLiteral("192.168.0.1"));
        gateway->setFocus();
        gateway->selectAll();
        QTest::keyClicks(gateway, "10.0.0.254");
        QTest::keyClick(gateway, Qt::Key_Return);
        QVERIFY(m_fixture.waitForRequest("op net.gateway = 10.0.0.254"));
        // Custom light power can only be set in the custom mode.
        QComboBox *mode = w<QComboBox>("comboboxLightPower");
        mode->setCurrentIndex(0);
        QVERIFY(!w<QSlider>("sliderCustomPowerLevel")->isEnabled());
        mode->setCurrentIndex(mode->findText("Custom"));
        QVERIFY(w<QSlider>("sliderCustomPowerLevel")->isEnabled());
    }

    void serviceErrorCodeIsColoured()
    {
        QVERIFY(panel()->accessGranted());
        openTab(PanelTabs::Service);
        QTRY_COMPARE(w<QLabel>("textErrcode")->text(), QStringLiteral("0000"));
        QVERIFY(w<QLabel>("textErrcode")->styleSheet().contains("grey"));
        QVERIFY(!w<QLabel>("textFan20")->text().isEmpty());
        QVERIFY(!w<QLabel>("textInlet")->text().isEmpty());
    }

    void settingFileRoundTrip()
    {
        QVERIFY(panel()->accessGranted());
        openTab(PanelTabs::Geometry);
        QSlider *corner = w<QSlider>("sliderCornerTopLeftV");
        QTRY_VERIFY(corner->isEnabled());
        corner->setValue(17);
        QVERIFY(m_fixture.waitForRequest("op 4corner.uly = 17"));
        const QString path = QDir(TestEnvironment::root()).filePath("geo.setting");
        QVERIFY(panel()->exportToFile(PanelTabs::Geometry, path));
        const QByteArray data = TestFiles::read(path);
        QVERIFY(data.contains("sliderCornerTopLeftV = 17\r"));
        QCOMPARE(data.count('\r'), 18); // 17 sliders and the warp combo box

        QTest::qWait(350);
        corner->setValue(3);
        QVERIFY(m_fixture.waitForRequest("op 4corner.uly = 3"));
        m_fixture.take();
        QCOMPARE(panel()->importFromFile(PanelTabs::Geometry, path), 18);
        QVERIFY(m_fixture.waitForRequest("op 4corner.uly = 17"));
        QCOMPARE(corner->value(), 17);
    }

    void hostileAnswersStayText()
    {
        // Answers are cut at a second "=", so the picture rides on lines only.
        const QString hostile = "<h1><u>INJECTED</u></h1>";
        const QString line = hostile + "<img src=\"/etc/hosts\">";
        MainWindow *window = m_fixture.window();
        CommandDispatch *dispatch = window->dispatch();
        for (const char *key : {"ACT.SOURCE", "SER.NO", "ERROR.CODE"})
            emit dispatch->sigCmdResult(PanelFixture::Ip, QStringLiteral("OP %1=").arg(key) + hostile);
        // A label shows markup as what it is: text.
        auto shownAsText = [&](QLabel *label) {
            return label->textFormat() == Qt::PlainText && label->text().contains(hostile);
        };
        panel()->updateTab(PanelTabs::Info);
        QVERIFY(shownAsText(w<QLabel>("textActiveSource_Info")));
        QVERIFY(panel()->accessGranted());
        panel()->updateTab(PanelTabs::Service);
        QVERIFY(shownAsText(w<QLabel>("textErrcode")));
        w<QLineEdit>("lineEditErrCode")->setText(hostile);
        QCOMPARE(w<QLabel>("labelErrCode")->textFormat(), Qt::PlainText);
        window->showPanelImage(hostile);
        QCOMPARE(w<QLabel>("labelPanelImage")->textFormat(), Qt::PlainText);
        // Console lines and script errors keep the tags as text.
        window->displayLogMessage(line);
        emit window->scriptHost()->sigLogHtml(ScriptHost::breakLineHtml(1, line));
        // The console appends what a turn brought on the next turn.
        QTRY_COMPARE(w<QPlainTextEdit>("plainTextConsole")->toPlainText().count(line), 2);
        // Cells: the text itself; a tooltip (tooltips render markup) only
        // with the markup escaped.
        auto cellIsText = [&](QAbstractItemModel *model, int column) {
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex cell = model->index(row, column);
                if (cell.data().toString() == hostile)
                    return !cell.data(Qt::ToolTipRole).toString().contains(hostile);
            }
            return false;
        };
        QVERIFY(cellIsText(w<QTableView>("tableViewStatus")->model(), TableModelStatus::InputColumn));
        QTreeWidget *tree = w<QTreeWidget>("treeWidgetGroupIP");
        const QList<QTreeWidgetItem *> rows =
            tree->findItems(hostile, Qt::MatchExactly | Qt::MatchRecursive, GroupTree::ColumnSerial);
        QCOMPARE(rows.size(), 1);
        QVERIFY(!rows.first()->toolTip(GroupTree::ColumnSerial).contains("INJECTED"));
    }

    void importSendsOnlyWhatFitsAndWhenAllowed()
    {
        openTab(PanelTabs::Picture);
        QTest::qWait(350);
        const QString path = QDir(TestEnvironment::root()).filePath("odd.setting");
        // Another tab's name is passed over; a broken line and values no
        // widget can hold are reported.
        QVERIFY(TestFiles::write(path, "sliderBrightness = 999999999\rcomboboxGamma = 4711\rcomboboxPictureMode = -1\r"
                                       "garbage\rsliderKeystoneH = 5\rsliderContrast = 5\r"));
        CommandDispatch *dispatch = m_fixture.window()->dispatch();
        dispatch->setSendingEnabled(false);
        QSignalSpy status(panel(), &ControlPanel::sigStatus);
        QStringList report;
        QCOMPARE(panel()->importFromFile(PanelTabs::Picture, path, &report), 0);
        dispatch->setSendingEnabled(true);
        QCOMPARE(report.size(), 2);
        QCOMPARE(status.takeFirst().first().toString(), QStringLiteral("Setting Not Found!"));
        m_fixture.take();
        QCOMPARE(panel()->importFromFile(PanelTabs::Picture, path, &report), 1);
        QCOMPARE(report.size(), 4);
        QVERIFY(report.at(1).contains("sliderBrightness"));
        QVERIFY(m_fixture.waitForRequest("op contrast = 5"));
        QTest::qWait(100);
        QCOMPARE(m_fixture.take().filter(" = ").size(), 1);

        // Nothing was read from a new target yet: nothing to export.
        panel()->setTarget("127.0.0.3");
        QVERIFY(panel()->exportToFile(PanelTabs::Picture, path));
        panel()->setTarget(PanelFixture::Ip);
        QCOMPARE(TestFiles::read(path), QByteArray());
    }

};

ORV_TEST_MAIN(TestControlPanel)
#include "tst_controlpanel.moc"
