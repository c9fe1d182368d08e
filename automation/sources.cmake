# Sources of the manager's scheduler and scripts.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_AUTOMATION_CORE_SOURCES)
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_AUTOMATION_GUI_SOURCES)
