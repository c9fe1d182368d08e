#pragma once

#include "tests/common/modalcloser.h"
#include "tests/common/simulatorprocess.h"

#include <QString>
#include <QStringList>

#include <memory>

class MainWindow;
class QTabWidget;
class QWidget;

// A main window connected to one simulated projector whose request lines
// the simulator reports, with the control panel shown and that projector
// as its target.
class PanelFixture
{
public:
    static const QString Ip;

    PanelFixture();
    ~PanelFixture();

    // Starts the simulator, writes the configuration, builds and shows the
    // window and waits for the projector to be connected and targeted.
    bool start(bool dark = true);
    const char *errorText() const { return m_error.constData(); }

    MainWindow *window() const { return m_window.get(); }
    QTabWidget *tabs() const;
    ModalCloser &modalCloser() { return m_modalCloser; }
    template <typename T> T *child(const QString &name) const;

    // Clicks the tab bar at tab index (as the operator would).
    void clickTab(int index);
    // Opens the locked tabs by answering the passcode box with code.
    void answerPasscodeWith(const QString &code);

    // Request lines the projector received since the last call of take().
    QStringList take();
    // Waits (event loop running) until line has arrived, up to timeoutMs.
    bool waitForRequest(const QString &line, int timeoutMs = 3000);
    // All request lines received so far.
    QStringList all();

private:
    void readRequests();

    SimulatorProcess m_sim;
    ModalCloser m_modalCloser;
    std::unique_ptr<MainWindow> m_window;
    QByteArray m_error;
    QByteArray m_pending;
    int m_consumed = 0;
    QStringList m_lines;
    int m_taken = 0;
};

#include "ui/mainwindow.h"

template <typename T> T *PanelFixture::child(const QString &name) const
{
    return m_window->findChild<T *>(name);
}
