#pragma once

#include <QHash>
#include <QString>

// What a projector shows on the manager's control panel beyond its settings:
// software versions, signal timing, fan speeds, temperatures, lens memory
// names and network addresses. Catalogues leave these empty, so a simulated
// projector makes up plausible ones (stable per projector).
class PanelReadouts
{
public:
    // Fills the read-outs that values (lower-case op word -> value) holds
    // empty; seed varies the numbers between projectors.
    static void fill(QHash<QString, QString> *values, uint seed);
    // Text settings a projector accepts (addresses, lens memory names).
    static bool isWritableText(const QString &op);
};
