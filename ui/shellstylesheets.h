#pragma once

#include <QString>

// Style sheets of the main window shell. Kept in one place so that the
// dark and the light look share every rule except the two dark frames.
namespace ShellStyleSheets {

// Always on the central widget.
QString centralWidget();
// Always on the main toolbar (bar and its buttons).
QString toolBar();
QString toolButtons();
// Always on the status-bar labels.
QString statusBarLabels();
// Dark look only.
QString stackedWidgetDark();
QString frameButtonBoxDark();
// Splash screen text.
QString splash();
// Buttons of the small dialogs.
QString dialogButtons();
// Caption of the error-code result before any code was decoded.
QString errorCodeLabelIdle();

} // namespace ShellStyleSheets
