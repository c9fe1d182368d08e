// Main window: the command catalogue and the command console.
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appfolders.h"
#include "app/orvlog/OrvLog.h"
#include "net/cataloguecategories.h"
#include "net/cataloguefiles.h"
#include "net/commandcatalogue.h"
#include "net/commanddispatch.h"
#include "net/commandconsolerules.h"
#include "net/cataloguetablemodel.h"
#include "net/grouptree.h"
#include "net/powerstate.h"
#include "panel/controlpanel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QPushButton>
#include <QSortFilterProxyModel>

namespace {

// The console's table shows one projector's rows through the filter proxy.
CatalogueTableModel *commandTable(const QSortFilterProxyModel *proxy)
{
    return proxy ? qobject_cast<CatalogueTableModel *>(proxy->sourceModel()) : nullptr;
}

} // namespace

QString MainWindow::currentTargetIp() const
{
    // The console follows the connectable-IP box until the status table's
    // current row takes over as the target.
    return ui->comboboxIP->currentText();
}

QString MainWindow::selectedTreeIp() const
{
    // The projector selected in the group tree; with a group or nothing
    // selected there, the console's target.
    const QString ip = m_groupTree ? m_groupTree->currentAddress() : QString();
    return ip.isEmpty() ? currentTargetIp() : ip;
}

QString MainWindow::pluginFolder() const
{
    return CatalogueFiles::pluginFolder(AppFolders::programFolder());
}

void MainWindow::loadDefaultCommandFile()
{
    const QString path = pluginFolder() + QLatin1Char('/') + m_settings.cmdFile;
    OLOG_INFO() << "Got command CSV file:" << path;
    readCommandListFromCSV(path);
    emit sigPassCmdModel(m_catalogue);
}

void MainWindow::readCommandListFromCSV(const QString &path)
{
    if (!m_catalogue) {
        m_catalogue = new CommandCatalogue(this);
        setupCategoryButtons();
    }
    fillCategoryButtons(path);
    m_catalogue->loadCommandFile(path);
    showPanelImage(CatalogueFiles::modelOfFile(path));

    delete m_cmdProxy;
    m_cmdProxy = new QSortFilterProxyModel(this);
    auto *table = new CatalogueTableModel(m_catalogue, m_cmdProxy);
    // A projector's rows arrive when its model's file is read, and may be
    // wider than the rows shown before.
    connect(table, &QAbstractItemModel::modelReset, this, &MainWindow::hideCatalogueDetailColumns);
    m_cmdProxy->setSourceModel(table);
    m_cmdProxy->setFilterKeyColumn(CommandCatalogue::CategoryColumn);
    m_cmdProxy->setFilterWildcard(QStringLiteral("*"));
    ui->tableViewCmd->setModel(m_cmdProxy);
    setupCommandTable();
    ui->tableViewCmd->selectRow(0);
}

void MainWindow::setupCommandTable()
{
    QTableView *table = ui->tableViewCmd;
    hideCatalogueDetailColumns();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The style's minimum follows the font and would hold the rows above 24.
    table->verticalHeader()->setMinimumSectionSize(16);
    table->verticalHeader()->setDefaultSectionSize(24);
    table->verticalHeader()->hide();
    table->setAlternatingRowColors(true);
}

void MainWindow::hideCatalogueDetailColumns()
{
    // Per-model rows may be wider than the default file's: every new column
    // is a detail field.
    const int columns = m_cmdProxy->columnCount();
    for (int column = 0; column < columns; ++column)
        ui->tableViewCmd->setColumnHidden(column, column == CommandCatalogue::CategoryColumn ||
                                                      column > CommandCatalogue::ValueColumn);
}

void MainWindow::loadCatalogueForIP(const QString &ip, const QString &model)
{
    // A model's file is read once for all its projectors, big ones off this
    // thread; the console's table follows when the rows are there.
    m_catalogue->loadCatalogueForIP(ip, model, pluginFolder());
}

void MainWindow::fillCategoryButtons(const QString &path)
{
    const CatalogueCategories categories = CatalogueCategories::categoriesOfFile(path);
    ui->buttonBox->clear();
    auto *model = new QPushButton(categories.modelName(), ui->buttonBox);
    model->setCheckable(true);
    model->setChecked(true);
    model->setAccessibleName(CommandConsoleRules::panelButtonName());
    ui->buttonBox->addButton(model, QDialogButtonBox::ActionRole);
    for (const QString &category : categories.categories()) {
        auto *button = new QPushButton(category, ui->buttonBox);
        button->setCheckable(true);
        ui->buttonBox->addButton(button, QDialogButtonBox::ActionRole);
    }
    ui->buttonBox->adjustSize();
}

void MainWindow::setupCategoryButtons()
{
    // The pressed category has to stand out: the common button style draws
    // checked and unchecked buttons alike.
    ui->buttonBox->setStyleSheet(
        QStringLiteral("QPushButton:checked{color:white;background-color:#606060;font-weight:bold}"));
}

void MainWindow::showModelCategories(const QString &fileName)
{
    fillCategoryButtons(pluginFolder() + QLatin1Char('/') + fileName);
    const QList<QAbstractButton *> buttons = ui->buttonBox->buttons();
    if (!buttons.isEmpty())
        buttons.first()->click();
}

void MainWindow::showPanelImage(const QString &model)
{
    ui->labelPanelImage->setTextFormat(Qt::PlainText);
    ui->labelPanelImage->setText(model.toUpper());
    QPixmap picture;
    if (picture.load(CatalogueFiles::panelImagePath(pluginFolder(), model)))
        ui->labelPanelImage->setPixmap(picture);
}

QString MainWindow::cmdName2opByIP(const QString &name, const QString &ip) const
{
    return m_catalogue->cmdName2opByIP(name, ip);
}

QString MainWindow::queryCommandByIP(const QString &ip, const QString &name) const
{
    return m_catalogue->queryCommandByIP(ip, name);
}

QString MainWindow::cmdName2op(const QString &reference) const
{
    return m_catalogue->cmdName2op(reference, ui->comboboxIP->currentText());
}

QString MainWindow::cmdOp2Name(const QString &op) const
{
    return m_catalogue->cmdOp2Name(op, ui->comboboxIP->currentText());
}

QString MainWindow::lookupCatalogue(int resultColumn, const QString &text, int searchColumn) const
{
    return m_catalogue->lookupCatalogue(resultColumn, text, searchColumn, selectedTreeIp());
}

QStringList MainWindow::catalogueOptions(const QString &text, int searchColumn) const
{
    return m_catalogue->catalogueOptions(text, searchColumn, selectedTreeIp());
}

void MainWindow::updateCatalogueValue(const QString &ip, const QString &op, const QString &value)
{
    m_catalogue->updateCatalogueValue(ip, op, value);
}

void MainWindow::on_buttonBox_clicked(QAbstractButton *button)
{
    OLOG_DEBUG() << "on_buttonBox_clicked" << button->text();
    m_currentCategory = button->text();
    const QList<QAbstractButton *> buttons = ui->buttonBox->buttons();
    for (QAbstractButton *other : buttons)
        other->setChecked(false);
    button->setChecked(true);

    QTableView *table = ui->tableViewCmd;
    // Rows hidden for an earlier "Feature" view must not stay hidden here.
    for (int row = 0; row < m_cmdProxy->rowCount(); ++row)
        table->setRowHidden(row, false);

    if (button->accessibleName() == CommandConsoleRules::panelButtonName()) {
        ui->stackedWidgetCmd->setCurrentWidget(ui->pageCmdPanel);
        m_cmdProxy->setFilterWildcard(QStringLiteral("*"));
        showPanelImage(m_currentCategory);
        return;
    }

    ui->stackedWidgetCmd->setCurrentWidget(ui->pageCmdTable);
    const QString ip = currentTargetIp();
    commandTable(m_cmdProxy)->setAddress(ip);
    m_cmdProxy->setFilterKeyColumn(CommandCatalogue::CategoryColumn);
    m_cmdProxy->setFilterRegularExpression(CommandConsoleRules::categoryFilter(ip, m_currentCategory));
    if (m_consoleTarget.categoryShown(ip, m_catalogue->hasRowsForIP(ip)) == ConsoleTarget::Action::AskModel)
        askTargetModel(ip);

    if (CommandConsoleRules::isFeatureCategory(m_currentCategory)) {
        table->setEnabled(false);
        for (int row = 0; row < m_cmdProxy->rowCount(); ++row) {
            const QString name = m_cmdProxy->index(row, CommandCatalogue::FunctionNameColumn).data().toString();
            if (CommandConsoleRules::hiddenInFeature(name))
                table->setRowHidden(row, true);
        }
    } else {
        table->setEnabled(true);
        table->selectRow(0);
    }
}

void MainWindow::on_tableViewCmd_clicked(const QModelIndex &index)
{
    m_cmdRowFields = m_catalogue->rowTexts(commandTable(m_cmdProxy)->catalogueRow(m_cmdProxy->mapToSource(index).row()));
}

void MainWindow::on_tableViewCmd_doubleClicked(const QModelIndex &index)
{
    // A double-click begins with a click on the same row; taking the row
    // again costs nothing and covers a double-click delivered on its own.
    if (index.isValid())
        m_cmdRowFields =
            m_catalogue->rowTexts(commandTable(m_cmdProxy)->catalogueRow(m_cmdProxy->mapToSource(index).row()));
    if (m_cmdRowFields.isEmpty())
        return;
    const CommandConsoleRules::Prepared prepared =
        CommandConsoleRules::fromCatalogueRow(m_cmdRowFields, m_currentCategory);
    ui->lineEdit_OpName->setText(prepared.functionName);
    ui->lineEdit_OpCmd->setText(prepared.command);
    if (ui->pushButton_SendCmd->isEnabled())
        ui->pushButton_SendCmd->click();
}

void MainWindow::on_lineEdit_OpName_returnPressed()
{
    if (!ui->pushButton_SendCmd->isEnabled()) {
        showConsoleRefusal(tr("No projector to ask: none answered yet"));
        return;
    }
    // A bare name is a function name too; passing it on as an op word would
    // send "op Serial Number" to the projector.
    const QString typed = ui->lineEdit_OpName->text().trimmed();
    const bool wrapped = typed.startsWith(QLatin1Char('(')) && typed.endsWith(QLatin1Char(')'));
    const QString reference = wrapped ? typed : QLatin1Char('(') + typed + QLatin1Char(')');
    const QString op = cmdName2op(reference);
    if (typed.isEmpty() || op.isNull()) {
        const QString ip = currentTargetIp();
        const QString model = m_consoleTarget.modelOf(ip);
        showConsoleRefusal(tr("No function %1 in the catalogue of %2 (%3)")
                               .arg(reference, ip, model.isEmpty() ? tr("unknown model") : model));
        return;
    }
    ui->lineEdit_OpName->setText(reference);
    ui->lineEdit_OpCmd->setText(CommandConsoleRules::commandForOp(op));
}

void MainWindow::on_lineEdit_OpCmd_returnPressed()
{
    if (!ui->pushButton_SendCmd->isEnabled())
        return;
    const QString op = CommandConsoleRules::opWordOfCommand(ui->lineEdit_OpCmd->text());
    ui->lineEdit_OpName->setText(CommandConsoleRules::functionNameField(cmdOp2Name(op)));
}

void MainWindow::onReceiveQMLsendClickSig(const QString &functionName)
{
    const QString catalogueCommand =
        lookupCatalogue(CommandCatalogue::OpCommandColumn, functionName, CommandCatalogue::FunctionNameColumn);
    if (catalogueCommand.isNull())
        return;
    int powerState = PowerState::NoAnswer;
    if (CommandConsoleRules::isPowerToggle(catalogueCommand))
        powerState = getPowerState(currentTargetIp(), quint16(m_settings.tcpPort));
    ui->lineEdit_OpCmd->setText(CommandConsoleRules::panelKeyCommand(catalogueCommand, powerState));
    if (ui->pushButton_SendCmd->isEnabled())
        ui->pushButton_SendCmd->click();
}

void MainWindow::on_comboboxIP_textActivated(const QString &ip)
{
    switch (m_consoleTarget.pick(ip, m_catalogue->hasRowsForIP(ip))) {
    case ConsoleTarget::Action::ShowCategories:
        showTargetCategories(ip);
        break;
    case ConsoleTarget::Action::AskModel:
        showUnknownModel(ip);
        askTargetModel(ip);
        break;
    case ConsoleTarget::Action::Nothing:
        break;
    }
}

void MainWindow::askTargetModel(const QString &ip)
{
    // The answer loads the catalogue (slotCmdResult), which then shows the
    // model's categories.
    sendMyTcpCmd(ip, queryCommandByIP(ip, QStringLiteral("Model Name")), quint16(m_settings.tcpPort));
}

void MainWindow::showTargetCategories(const QString &ip)
{
    // Switching projectors keeps the operator on the category they were
    // looking at, as far as the other model has it.
    const QString category = m_currentCategory;
    showModelCategories(CatalogueFiles::catalogueFileName(m_consoleTarget.modelOf(ip)));
    const QList<QAbstractButton *> buttons = ui->buttonBox->buttons();
    for (int i = 1; i < buttons.size(); ++i) {
        if (buttons.at(i)->text() == category) {
            buttons.at(i)->click();
            break;
        }
    }
}

void MainWindow::showUnknownModel(const QString &ip)
{
    // Until the new target names its model nothing of the previous one may
    // stay on screen: its commands would go to a projector of another model.
    ui->buttonBox->clear();
    auto *unknown = new QPushButton(tr("unknown model"), ui->buttonBox);
    unknown->setCheckable(true);
    unknown->setChecked(true);
    unknown->setEnabled(false);
    ui->buttonBox->addButton(unknown, QDialogButtonBox::ActionRole);
    m_currentCategory.clear();
    m_cmdRowFields.clear();
    commandTable(m_cmdProxy)->setAddress(ip);
    m_cmdProxy->setFilterKeyColumn(CommandCatalogue::CategoryColumn);
    m_cmdProxy->setFilterRegularExpression(CommandConsoleRules::categoryFilter(ip, QString()));
    ui->labelPanelImage->setText(tr("unknown model"));
    ui->stackedWidgetCmd->setCurrentWidget(ui->pageCmdPanel);
}

void MainWindow::selectTarget(const QString &ip)
{
    if (!m_dispatch->isConnected(ip))
        return;
    // Connected this very turn: the box catches up with the list first.
    if (ui->comboboxIP->findText(ip) < 0)
        fillConnectableIPs();
    const int index = ui->comboboxIP->findText(ip);
    if (index >= 0 && ui->comboboxIP->currentIndex() != index) {
        ui->comboboxIP->setCurrentIndex(index);
        on_comboboxIP_textActivated(ip);
    }
    // The status table's row of ip:
    findStatusTableWithIP(ip);
    // The control panel's target:
    m_controlPanel->setTarget(ip);
    showTarget(ip);
}
