#include "ui/dialoguserguide.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

QString DialogUserGuide::resourcePath(const QString &language)
{
    const QString translated = QStringLiteral(":/docs/USER_GUIDE.%1.md").arg(language);
    return !language.isEmpty() && QFile::exists(translated) ? translated : QString::fromLatin1(ResourcePath);
}

DialogUserGuide::DialogUserGuide(const QString &language, QWidget *parent)
    : QDialog(parent), m_browser(new QTextBrowser(this)), m_find(new QLineEdit(this)), m_result(new QLabel(this))
{
    setObjectName(QStringLiteral("DialogUserGuide"));
    setWindowTitle(tr("User Guide"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(false);

    m_browser->setObjectName(QStringLiteral("textBrowserGuide"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(false);
    QFile guide(resourcePath(language));
    if (guide.open(QIODevice::ReadOnly | QIODevice::Text))
        m_browser->document()->setMarkdown(QString::fromUtf8(guide.readAll()));
    else
        m_browser->setPlainText(tr("The user guide is missing from this installation."));
    m_browser->document()->setDocumentMargin(12);
    m_browser->moveCursor(QTextCursor::Start);

    m_find->setObjectName(QStringLiteral("lineEditFind"));
    m_find->setPlaceholderText(tr("Find in the guide"));
    m_find->setClearButtonEnabled(true);
    auto *next = new QPushButton(tr("Next"), this);
    next->setObjectName(QStringLiteral("pushButtonFindNext"));
    auto *previous = new QPushButton(tr("Previous"), this);
    previous->setObjectName(QStringLiteral("pushButtonFindPrevious"));
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("pushButtonClose"));
    m_result->setObjectName(QStringLiteral("labelFindResult"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(tr("Find:"), this));
    bar->addWidget(m_find, 1);
    bar->addWidget(previous);
    bar->addWidget(next);
    bar->addWidget(m_result);
    bar->addStretch(0);
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    connect(m_find, &QLineEdit::returnPressed, this, [this] {
        find(m_find->text(), QApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    connect(next, &QPushButton::clicked, this, [this] { find(m_find->text()); });
    connect(previous, &QPushButton::clicked, this, [this] { find(m_find->text(), true); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto *findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    resize(860, 640);
}

bool DialogUserGuide::find(const QString &text, bool backwards)
{
    m_result->clear();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_browser->find(text, flags))
        return true;
    // Wrap around once from the other end.
    QTextCursor cursor = m_browser->textCursor();
    cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    if (m_browser->find(text, flags))
        return true;
    m_result->setText(tr("Not found"));
    return false;
}
