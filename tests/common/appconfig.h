#pragma once

#include "app/appfolders.h"
#include "tests/common/testfiles.h"

// What start-up would have prepared before a window is built: the folders,
// the inventory (none for a null one) and the settings the test starts from.
inline bool writeAppConfig(const QByteArray &groupIp, const QByteArray &ini)
{
    const QString config = AppFolders::configFolder();
    return AppFolders::ensureFolder(AppFolders::userDataFolder()) != AppFolders::Preparation::Failed &&
           (groupIp.isNull() || TestFiles::write(config + "/GroupIP.csv", groupIp)) &&
           TestFiles::write(config + "/Orvanto.ini", ini);
}
