// Speed of the control panel against a simulated projector:
//  - opening the Picture tab: from the click to every widget filled;
//  - dragging a slider end to end in one second: commands the projector
//    gets, their spacing, and the value it ends at.
//   scripts/sandbox.sh run build/bench/bench_panel
#include "bench/benchsupport.h"
#include "panel/controlpanel.h"
#include "panel/paneltabs.h"
#include "tests/common/testenvironment.h"
#include "tests/panel/panelfixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <algorithm>

namespace {

bool allFilled(QWidget *form)
{
    for (QSlider *s : form->findChildren<QSlider *>())
        if (!s->isEnabled())
            return false;
    for (QComboBox *c : form->findChildren<QComboBox *>())
        if (!c->isEnabled() || c->currentIndex() < 0)
            return false;
    return true;
}

void clearForm(QWidget *form)
{
    for (QSlider *s : form->findChildren<QSlider *>())
        s->setEnabled(false);
    for (QComboBox *c : form->findChildren<QComboBox *>()) {
        const QSignalBlocker blocker(c);
        c->clear();
        c->setEnabled(false);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    PanelFixture fixture;
    if (!fixture.start()) {
        qCritical("cannot start: %s", fixture.errorText());
        return 1;
    }
    MainWindow *window = fixture.window();
    QWidget *form = window->controlPanel()->form(PanelTabs::Picture);

    // Opening the Picture tab, ten times, each from an emptied page.
    QVector<qint64> opens;
    qint64 stall = 0;
    for (int round = 0; round < 10; ++round) {
        fixture.clickTab(PanelTabs::Info);
        QTest::qWait(400);
        clearForm(form);
        StallMeter meter;
        QElapsedTimer clock;
        qint64 filledAt = -1;
        auto connection = QObject::connect(window, &MainWindow::sigEndStatusBar, [&] {
            if (allFilled(form))
                filledAt = clock.elapsed();
        });
        // A local loop, not QTest::qWaitFor: that one sleeps 10 ms between
        // its turns and would add the sleeps to every answer.
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        auto quit = QObject::connect(window, &MainWindow::sigEndStatusBar, &loop, &QEventLoop::quit,
                                     Qt::QueuedConnection);
        clock.start();
        fixture.clickTab(PanelTabs::Picture);
        loop.exec();
        if (filledAt < 0)
            filledAt = 9999;
        QObject::disconnect(connection);
        QObject::disconnect(quit);
        opens << filledAt;
        stall = std::max(stall, meter.longest());
    }
    std::sort(opens.begin(), opens.end());
    qInfo("Picture tab, click to all %d widgets filled: median %lld ms, worst %lld ms, best %lld ms; "
          "longest GUI stall %lld ms",
          form->findChildren<QSlider *>().size() + form->findChildren<QComboBox *>().size(), opens.at(5),
          opens.last(), opens.first(), stall);

    // Dragging the brightness slider from end to end in one second.
    QSlider *slider = window->findChild<QSlider *>(QStringLiteral("sliderBrightness"));
    slider->setValue(slider->minimum());
    QTest::qWait(700);
    fixture.take();
    QVector<qint64> arrivals;
    QStringList lines;
    QElapsedTimer clock;
    clock.start();
    auto collect = [&] {
        for (const QString &line : fixture.take()) {
            if (line.startsWith(QLatin1String("op bright = "))) {
                lines << line;
                arrivals << clock.elapsed();
            }
        }
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, collect);
    poll.start(2);
    const int steps = slider->maximum() - slider->minimum();
    StallMeter meter;
    for (int i = 1; i <= steps; ++i) {
        slider->setValue(slider->minimum() + i);
        QTest::qWait(1000 / steps);
    }
    const qint64 dragMs = clock.elapsed();
    QTest::qWait(1000);
    collect();
    qint64 closest = -1;
    for (int i = 1; i < arrivals.size(); ++i)
        closest = closest < 0 ? arrivals.at(i) - arrivals.at(i - 1) : std::min(closest, arrivals.at(i) - arrivals.at(i - 1));
    qInfo("Drag of %d steps in %lld ms: %d commands reached the projector (%s); closest spacing %lld ms; "
          "final value %s (slider %d); longest GUI stall %lld ms",
          steps, dragMs, int(lines.size()), qPrintable(lines.join(QStringLiteral(", "))), closest,
          qPrintable(lines.isEmpty() ? QString() : lines.last().mid(12)), slider->value(), meter.longest());
    return 0;
}
