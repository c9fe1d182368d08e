#pragma once

#include <QString>
#include <QVector>

// The five line-parameter lists offered by the settings dialog. Each entry is
// the text shown and stored in "Brivox.ini" and the serial library's value.
class SerialParameterLists
{
public:
    struct Entry
    {
        QString text;
        int value;
    };
    using List = QVector<Entry>;

    static List baudRates();
    static List dataBits();
    static List parities();
    static List stopBits();
    static List flowControls();

    // Entries selected after the lists are filled.
    static constexpr int DefaultBaudRateIndex = 3;
    static constexpr int DefaultDataBitsIndex = 3;

    // Index of the entry whose text equals text regardless of case, -1 if none.
    static int indexOf(const List &list, const QString &text);

    // The value of the matching entry; with no match the text read as a whole
    // number, or 0 when it is not one (a hand-edited file may hold anything).
    static int valueFor(const List &list, const QString &text);
};
