#pragma once

#include "panel/tabcontrols.h"

class QTimer;

// Edge-blend tab: the gain-all slider and the custom light power. Gain All
// sends its three gains at most once per interval while it is dragged; the
// trailing value waits here, with the projector it was set for, until the
// interval ends or the target changes (then it goes out at once).
class EdgeBlendTabControls : public TabControls
{
    Q_OBJECT
public:
    explicit EdgeBlendTabControls(ControlPanel *panel);

    bool handle(QWidget *widget) override;
    void fill() override;
    void targetLeaving(const QString &oldIp) override;

    bool hasPendingGain() const { return m_pending; }

private:
    void gainAll(int value);
    void sendGain(const QString &ip, int value);

    QTimer *m_timer;
    bool m_pending = false;
    QString m_pendingIp;
    int m_pendingValue = 0;
};
