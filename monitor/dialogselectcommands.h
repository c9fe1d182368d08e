#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class DialogSelectCommands;
}

// Picks the commands of a periodic task: the chosen ones ("Command list")
// and those that can be added ("Available Commands"); a double-click moves
// a command from one list to the other.
class DialogSelectCommands : public QDialog
{
    Q_OBJECT

public:
    explicit DialogSelectCommands(QWidget *parent = nullptr);
    ~DialogSelectCommands() override;

    void setCommands(const QStringList &chosen, const QStringList &available);
    QStringList chosenCommands() const;
    QStringList availableCommands() const;

private slots:
    void on_listWidgetCommandList_itemDoubleClicked();
    void on_listWidgetAvailableCommands_itemDoubleClicked();

private:
    Ui::DialogSelectCommands *ui;
};
