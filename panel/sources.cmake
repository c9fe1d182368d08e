# Sources of the manager's control panel.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_PANEL_CORE_SOURCES)
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_PANEL_GUI_SOURCES)
