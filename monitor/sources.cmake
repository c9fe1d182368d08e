# Sources of the manager's status monitoring.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_MONITOR_CORE_SOURCES
    monitor/errorcodedictionary.cpp
    monitor/errorcodedictionary.h
    monitor/lamphoursbar.cpp
    monitor/lamphoursbar.h
    monitor/pjlinkmonitor.cpp
    monitor/pjlinkmonitor.h
    monitor/pjlinkscriptroute.cpp
    monitor/pjlinkscriptroute.h
    monitor/pjlinkstatuscells.cpp
    monitor/pjlinkstatuscells.h
    monitor/powerstateprobe.cpp
    monitor/powerstateprobe.h
    monitor/powerswitchrule.cpp
    monitor/powerswitchrule.h
    monitor/powerswitchwalk.cpp
    monitor/powerswitchwalk.h
    monitor/statusanswermap.cpp
    monitor/statusanswermap.h
    monitor/statusexport.cpp
    monitor/statusexport.h
    monitor/tablemodelstatus.cpp
    monitor/tablemodelstatus.h)
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_MONITOR_GUI_SOURCES
    monitor/dialogselectcommands.cpp
    monitor/dialogselectcommands.h
    monitor/dialogselectcommands.ui
    monitor/mainwindow_pjlink.cpp
    monitor/mainwindow_status.cpp
    monitor/powerswitchconfirmation.cpp
    monitor/powerswitchconfirmation.h
    monitor/statusbardelegate.cpp
    monitor/statusbardelegate.h
    monitor/statusmonitor.cpp
    monitor/statusmonitor.h)
