#pragma once

#include <QObject>

// Progress of a refresh batch as the status bar shows it: how many "OP "
// answers have come in and how many are expected. The window connects the
// signals to its status-bar label and bar and re-emits sigEndStatusBar, which
// lets the control panel refresh itself from the answers once all are in.
class BatchProgress : public QObject
{
    Q_OBJECT
public:
    explicit BatchProgress(QObject *parent = nullptr);

    int counter() const { return m_counter; }
    int expected() const { return m_expected; }

    // A batch of count answers starts: the bar runs from 1 to count, the
    // counter restarts at 1. A second start while a batch is still running
    // replaces the expectation of the first.
    void start(int count);

    // One "OP " answer arrived: the bar shows the counter, the counter moves
    // on, and once it passes the expected number the progress widgets go
    // away; the end of the batch is signalled only when a batch was running.
    void advance();

signals:
    void sigStarted(int maximum, int value);
    void sigValue(int value);
    void sigHide();
    void sigEndStatusBar();

private:
    int m_counter = 0;
    int m_expected = 0;
};
