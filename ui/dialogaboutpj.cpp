#include "ui/dialogaboutpj.h"
#include "ui_dialogaboutpj.h"

#include "app/appfolders.h"

#include "ui/projectormodellist.h"
#include "ui/shellresources.h"
#include "ui/shellstylesheets.h"
#include "ui/windowplacement.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QTextDocument>
#include <QPixmap>
#include <QScreen>

namespace {

// Shown for a catalogue that came without its picture.
const char *const MissingPicture = ":/images/ProjectorGrey.png";

// Panel pictures are wide, product pictures square: centring each in the same
// box keeps the names of all entries on one line.
QPixmap framed(const QPixmap &picture, const QSize &box)
{
    QPixmap canvas(box);
    canvas.fill(Qt::transparent);
    const QPixmap scaled = picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&canvas);
    painter.drawPixmap((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2, scaled);
    return canvas;
}

} // namespace

DialogAboutPJ::DialogAboutPJ(QWidget *parent, const QString &pluginFolder) : QDialog(parent), ui(new Ui::DialogAboutPJ)
{
    ShellResources::ensureLoaded();
    ui->setupUi(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowStaysOnTopHint);
    setStyleSheet(ShellStyleSheets::dialogButtons());
    ui->listWidget->setGridSize(ui->listWidget->iconSize() + QSize(32, 48));
    fillModels(pluginFolder.isEmpty() ? AppFolders::programFolder() + QStringLiteral("/pluginPJ") : pluginFolder);
    centreOnScreen();
}

DialogAboutPJ::~DialogAboutPJ()
{
    delete ui;
}

void DialogAboutPJ::on_pushButton_clicked()
{
    close();
}

void DialogAboutPJ::fillModels(const QString &pluginFolder)
{
    const QVector<ProjectorModelList::Entry> entries = ProjectorModelList::scan(pluginFolder);
    for (const ProjectorModelList::Entry &entry : entries) {
        QPixmap picture(entry.picturePath);
        if (picture.isNull())
            picture = QPixmap(QString::fromLatin1(MissingPicture));
        auto *item =
            new QListWidgetItem(QIcon(framed(picture, ui->listWidget->iconSize() * 2)), entry.name, ui->listWidget);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setToolTip(Qt::convertFromPlainText(entry.picturePath));
    }
}

void DialogAboutPJ::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    setGeometry(WindowPlacement::centred(size(), screen->availableGeometry()));
}
