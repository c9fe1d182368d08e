include(${CMAKE_CURRENT_LIST_DIR}/history/sources.cmake)
# Sources of the manager's status monitoring.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_MONITOR_CORE_SOURCES
    monitor/errorcodedictionary.cpp
    monitor/errorcodedictionary.h
    monitor/fleetsummary.cpp
    monitor/fleetsummary.h
    monitor/lamphoursbar.cpp
    monitor/lamphoursbar.h
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
    monitor/tablemodelstatus.h
    ${ORV_HISTORY_CORE_SOURCES})
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_MONITOR_GUI_SOURCES
    monitor/dialogselectcommands.cpp
    monitor/dialogselectcommands.h
    monitor/dialogselectcommands.ui
    monitor/mainwindow_history.cpp
    monitor/mainwindow_status.cpp
    monitor/powerswitchconfirmation.cpp
    monitor/powerswitchconfirmation.h
    monitor/statusbardelegate.cpp
    monitor/statusbardelegate.h
    monitor/statusmonitor.cpp
    monitor/statusmonitor.h
    ${ORV_HISTORY_GUI_SOURCES})
