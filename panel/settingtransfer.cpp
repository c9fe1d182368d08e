#include "panel/settingtransfer.h"

#include "app/orvlog/OrvLog.h"
#include "panel/controlpanel.h"
#include "panel/paneltabs.h"
#include "panel/settingfile.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSlider>

namespace {

bool isSetting(const QString &name)
{
    return name.startsWith(QLatin1String("combobox")) || name.startsWith(QLatin1String("slider"));
}

} // namespace

// Texts keep the panel's translation context.
SettingTransfer::SettingTransfer(ControlPanel *panel) : QObject(panel), m_panel(panel) {}

bool SettingTransfer::exportToFile(int index, const QString &path, QString *error) const
{
    // A widget that never held a projector's answer holds nothing to keep:
    // writing its placeholder would have import send it back as a value.
    QVector<SettingFile::Entry> entries;
    const QList<QWidget *> widgets = m_panel->widgetsOf(index);
    for (QWidget *w : widgets) {
        const QString name = w->objectName();
        if (!isSetting(name) || !m_panel->wasRead(name))
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            if (combo->currentIndex() >= 0)
                entries.append({name, combo->currentIndex()});
        } else if (auto *slider = qobject_cast<QSlider *>(w)) {
            entries.append({name, slider->value()});
        }
    }
    return SettingFile::write(path, entries, error);
}

void SettingTransfer::exportSettings(int index)
{
    const QString path = QFileDialog::getSaveFileName(
        m_panel->dialogParent(), QCoreApplication::translate("ControlPanel", "Save Settings As"),
        m_panel->configFolder() + QLatin1Char('/') + PanelTabs::defaultSettingFile(index),
        QCoreApplication::translate("ControlPanel", "Text(*.txt)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportToFile(index, path, &error)) {
        OLOG_ERROR() << "Setting file save failed:" << path << error;
        QMessageBox::critical(nullptr, QCoreApplication::translate("ControlPanel", "Error"),
                              QCoreApplication::translate("ControlPanel", "Setting file save Error!"), QMessageBox::Ok);
    }
}

void SettingTransfer::importSettings(int index)
{
    const QString path = QFileDialog::getOpenFileName(m_panel->dialogParent(),
                                                      QCoreApplication::translate("ControlPanel", "Open Settings file"),
                                                      m_panel->configFolder() + QStringLiteral("/*.setting"),
                                                      QCoreApplication::translate("ControlPanel", "Text(*.txt)"));
    if (path.isEmpty())
        return;
    QStringList report;
    importFromFile(index, path, &report);
    if (report.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("ControlPanel", "Warning!"),
                    QCoreApplication::translate("ControlPanel", "Some settings were not imported:"), QMessageBox::Ok,
                    m_panel->dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDetailedText(report.join(QLatin1Char('\n')));
    box.exec();
}

int SettingTransfer::importFromFile(int index, const QString &path, QStringList *report)
{
    const SettingFile::ReadResult file = SettingFile::read(path);
    if (!file.opened) {
        OLOG_WARN() << "Setting file cannot be read:" << path;
        return -1;
    }
    QStringList problems;
    for (const QString &rejected : file.rejected) {
        OLOG_WARN() << "Setting file" << path << "skipped" << rejected;
        problems << QCoreApplication::translate("ControlPanel", "Setting file: skipped %1").arg(rejected);
    }
    const QString ip = m_panel->target();
    QStringList batch;
    if (!m_panel->canSendTo(ip)) {
        problems << QCoreApplication::translate("ControlPanel", "Sending is disabled: nothing was imported.");
    } else {
        for (const SettingFile::Entry &entry : file.entries) {
            // Entries of another tab, or without a command for this model,
            // have no place here.
            QWidget *w = isSetting(entry.first) ? m_panel->form(index)->findChild<QWidget *>(entry.first) : nullptr;
            const QString op = w ? m_panel->opOf(entry.first, ip) : QString();
            if (op.isEmpty())
                continue;
            auto *combo = qobject_cast<QComboBox *>(w);
            auto *slider = qobject_cast<QSlider *>(w);
            const bool fits = combo ? entry.second >= 0 && entry.second < combo->count()
                                    : slider && entry.second >= slider->minimum() && entry.second <= slider->maximum();
            if (!fits) {
                problems << QCoreApplication::translate("ControlPanel",
                                                        "Setting file: %1 = %2 is out of range, not sent")
                                .arg(entry.first)
                                .arg(entry.second);
                continue;
            }
            // The page shows the file's values at once; the refresh after
            // the batch shows what the projector made of them.
            const QSignalBlocker blocker(w);
            if (combo) {
                combo->setCurrentIndex(entry.second);
            } else {
                slider->setValue(entry.second);
                m_panel->showSliderValue(slider);
            }
            m_panel->markChanged(entry.first);
            batch << QStringLiteral("op %1 = %2").arg(op).arg(entry.second);
        }
    }
    for (const QString &problem : qAsConst(problems))
        emit m_panel->sigLog(problem);
    if (report)
        *report = problems;
    OLOG_DEBUG() << "Import batch" << batch;
    if (batch.isEmpty()) {
        emit m_panel->sigStatus(QCoreApplication::translate("ControlPanel", "Setting Not Found!"));
        return 0;
    }
    m_panel->startBatch(ip, QCoreApplication::translate("ControlPanel", "Import Successed!"), batch);
    return batch.size();
}
