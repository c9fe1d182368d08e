#pragma once

#include <QDialog>

namespace Ui {
class DialogAboutPJ;
}

// The projector models this installation can talk to, as pictures: one per
// command catalogue in the plug-in folder, plus the catch-all "UnKnown".
class DialogAboutPJ : public QDialog
{
    Q_OBJECT

public:
    // pluginFolder defaults to the plug-in folder beside the program.
    explicit DialogAboutPJ(QWidget *parent = nullptr, const QString &pluginFolder = QString());
    ~DialogAboutPJ() override;

private slots:
    void on_pushButton_clicked();

private:
    void fillModels(const QString &pluginFolder);
    void centreOnScreen();

    Ui::DialogAboutPJ *ui;
};
