# Sources of the manager's scheduler and scripts.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_AUTOMATION_CORE_SOURCES
    automation/cronjobsfile.cpp
    automation/cronjobsfile.h
    automation/crontimer.cpp
    automation/crontimer.h
    automation/filetext.cpp
    automation/filetext.h
    automation/scriptedclass.cpp
    automation/scriptedclass.h
    automation/scripthost.cpp
    automation/scripthost.h
    automation/scriptname.cpp
    automation/scriptname.h
    automation/scriptwatchdog.cpp
    automation/scriptwatchdog.h
    automation/tablemodelscheduler.cpp
    automation/tablemodelscheduler.h
    automation/weekdayrule.cpp
    automation/weekdayrule.h
)
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_AUTOMATION_GUI_SOURCES
    automation/mainwindow_jscript.cpp
    automation/mainwindow_scheduler.cpp
    automation/scheduler.cpp
    automation/scheduler.h
    automation/scheduleritemdelegate.cpp
    automation/scheduleritemdelegate.h
    automation/scriptsound.cpp
    automation/scriptsound.h
)
