#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTextBrowser;

// The user guide, read from the resources and rendered from its Markdown
// by Qt, with a find field: Enter or "Next" finds the next match, Shift+Enter
// or "Previous" the one before, wrapping at either end.
class DialogUserGuide : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char *ResourcePath = ":/docs/USER_GUIDE.md";
    // The guide in language ("zh_CN", "en_US"): its own when there is one,
    // otherwise the English one.
    static QString resourcePath(const QString &language);

    explicit DialogUserGuide(const QString &language, QWidget *parent = nullptr);

    // Finds text from the cursor on; false (and a note beside the field)
    // when the guide does not hold it.
    bool find(const QString &text, bool backwards = false);

private:
    QTextBrowser *m_browser;
    QLineEdit *m_find;
    QLabel *m_result;
};
