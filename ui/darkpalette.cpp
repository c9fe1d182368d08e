#include "ui/darkpalette.h"

QPalette DarkPalette::make()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(53, 53, 53));
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Base, QColor(25, 25, 25));
    palette.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    palette.setColor(QPalette::ToolTipBase, Qt::white);
    palette.setColor(QPalette::ToolTipText, Qt::white);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Button, QColor(QStringLiteral("#103535")));
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Link, QColor(48, 220, 130));
    palette.setColor(QPalette::Highlight, QColor(64, 112, 112));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    return palette;
}

bool DarkPalette::isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window) == QColor(53, 53, 53) &&
           palette.color(QPalette::Base) == QColor(25, 25, 25) &&
           palette.color(QPalette::Button) == QColor(QStringLiteral("#103535"));
}
