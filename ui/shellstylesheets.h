#pragma once

#include <QString>

// Style sheets of the main window shell. Kept in one place so that the
// dark and the light look share every rule except the two dark frames.
namespace ShellStyleSheets {

// Always on the central widget. In the light look table and tree text is
// near black instead of grey (grey on white does not read).
QString centralWidget(bool dark = true);
// Always on the main toolbar (bar and its buttons).
QString toolBar();
// The buttons follow the look: dark tabs in the dark look, light ones on the
// light window. The overflow button gets room for its arrow.
QString toolButtons(bool dark = true);
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
