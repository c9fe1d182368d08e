#include "net/pjlinkpower.h"

int PJLinkPower::tableCode(const QString &value)
{
    if (value.size() != 1)
        return -1;
    switch (value.at(0).unicode()) {
    case '0':
        return 0;
    case '1':
        return 2;
    case '2':
        return 3;
    case '3':
        return 1;
    default:
        return -1;
    }
}
