# Sources of the manager's main window shell.
# Widget-free rules: linked into OrvantoCore, which the unit tests link directly.
set(ORV_UI_CORE_SOURCES
    ui/projectormodellist.cpp
    ui/projectormodellist.h
)
# Widgets, forms, sound and the main window's glue: linked into OrvantoGui.
set(ORV_UI_GUI_SOURCES
    ui/aboutpage.cpp
    ui/aboutpage.h
    ui/categorybuttonbox.cpp
    ui/categorybuttonbox.h
    ui/clocktext.cpp
    ui/clocktext.h
    ui/darkpalette.cpp
    ui/darkpalette.h
    ui/dialogaboutpj.cpp
    ui/dialogaboutpj.h
    ui/dialogaboutpj.ui
    ui/mainwindow.cpp
    ui/mainwindow.h
    ui/mainwindow.ui
    ui/shellfonts.cpp
    ui/shellfonts.h
    ui/shellresources.cpp
    ui/shellresources.h
    ui/shellstylesheets.cpp
    ui/shellstylesheets.h
    ui/splashwindow.cpp
    ui/splashwindow.h
    ui/statusmessagestyle.cpp
    ui/statusmessagestyle.h
    ui/windowplacement.cpp
    ui/windowplacement.h
    ui/windowtitle.cpp
    ui/windowtitle.h
)
