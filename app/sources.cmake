# Sources of the manager's start-up, folders, settings and logging.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_APP_CORE_SOURCES
    app/appfolders.cpp
    app/appfolders.h
    app/appinfo.h
    app/appsettings.h
    app/configformvalues.h
    app/configseeder.cpp
    app/configseeder.h
    app/consolelogrules.cpp
    app/consolelogrules.h
    app/instancechannel.cpp
    app/instancechannel.h
    app/instancelock.cpp
    app/instancelock.h
    app/settingsreader.cpp
    app/settingsrules.cpp
    app/settingsrules.h
    app/settingsreader.h
    app/settingswriter.cpp
    app/settingswriter.h
    app/startuplog.cpp
    app/startuplog.h
    app/translationloader.cpp
    app/translationloader.h
)
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_APP_GUI_SOURCES
    app/_dialogconfig.cpp
    app/_dialogconfig.h
    app/_dialogconfig.ui
    app/dialoginstancewarning.cpp
    app/dialoginstancewarning.h
    app/mainwindow_utils.cpp
)
