# Sources of the manager's status monitoring.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_MONITOR_CORE_SOURCES)
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_MONITOR_GUI_SOURCES)
