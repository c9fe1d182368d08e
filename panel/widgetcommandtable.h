#pragma once

// The fixed table that ties every control-panel widget to its projector
// command: one line per widget, "objectName, reference".
class WidgetCommandTable
{
public:
    static const char *text();
    static int lineCount();
};
