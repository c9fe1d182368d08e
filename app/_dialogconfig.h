#pragma once

#include "app/configformvalues.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QLineEdit;

namespace Ui {
class DialogConfig;
}

// The tool configuration dialog: shows the configuration folder's
// Orvanto.ini and saves it back. Changes take effect at the next start.
class DialogConfig : public QDialog
{
    Q_OBJECT

public:
    explicit DialogConfig(QWidget *parent = nullptr);
    ~DialogConfig() override;

    // <configuration folder>/Orvanto.ini, the only file this dialog touches.
    QString iniPath() const { return m_iniPath; }

    // The local addresses offered in comboBoxLocalIP.
    static QStringList getLocalIPs();

    // The form's current content.
    ConfigFormValues formValues() const;

public slots:
    void on_pushButtonApply_clicked();
    void on_pushButtonClose_clicked();

private:
    void readINI();
    void offerChoices(QLineEdit *edit, const QStringList &choices);
    // False (and the problem shown, its field focused) when a value is not usable.
    bool validate();
    bool saveINI();

    Ui::DialogConfig *ui;
    QString m_iniPath;
    // "LocalIP" as read; kept when the host offers no address to choose.
    QString m_localIP;
    class QSpinBox *m_scriptLimit = nullptr;
    QString m_scriptLimitRead;
};
