#include "monitor/dialogselectcommands.h"
#include "ui_dialogselectcommands.h"

namespace {

QStringList texts(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

void moveCurrent(QListWidget *from, QListWidget *to)
{
    QListWidgetItem *item = from->takeItem(from->currentRow());
    if (item)
        to->addItem(item);
}

} // namespace

DialogSelectCommands::DialogSelectCommands(QWidget *parent) : QDialog(parent), ui(new Ui::DialogSelectCommands)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

DialogSelectCommands::~DialogSelectCommands()
{
    delete ui;
}

void DialogSelectCommands::setCommands(const QStringList &chosen, const QStringList &available)
{
    ui->listWidgetCommandList->clear();
    ui->listWidgetCommandList->addItems(chosen);
    ui->listWidgetAvailableCommands->clear();
    ui->listWidgetAvailableCommands->addItems(available);
}

QStringList DialogSelectCommands::chosenCommands() const
{
    return texts(ui->listWidgetCommandList);
}

QStringList DialogSelectCommands::availableCommands() const
{
    return texts(ui->listWidgetAvailableCommands);
}

void DialogSelectCommands::on_listWidgetCommandList_itemDoubleClicked()
{
    moveCurrent(ui->listWidgetCommandList, ui->listWidgetAvailableCommands);
}

void DialogSelectCommands::on_listWidgetAvailableCommands_itemDoubleClicked()
{
    moveCurrent(ui->listWidgetAvailableCommands, ui->listWidgetCommandList);
}
