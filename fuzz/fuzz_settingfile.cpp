// Control-panel setting files: bounded, and a written file reads back the same.
#include "fuzz/fuzzsupport.h"

#include "panel/settingfile.h"

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = FuzzSupport::bytes(data, size);
    const SettingFile::ReadResult result = SettingFile::parse(file);
    FUZZ_CHECK(result.opened);
    const int lines = file.count('\r') + 1;
    FUZZ_CHECK(result.entries.size() + result.rejected.size() <= lines);
    for (const QString &rejected : result.rejected)
        FUZZ_CHECK(rejected.size() < 80); // reports stay readable, whatever the line
    for (const SettingFile::Entry &entry : result.entries)
        FUZZ_CHECK(!entry.first.isEmpty() && !entry.first.contains(QLatin1Char('=')));

    const QByteArray written = SettingFile::compose(result.entries);
    const SettingFile::ReadResult again = SettingFile::parse(written);
    FUZZ_CHECK(again.entries == result.entries);
    FUZZ_CHECK(again.rejected.isEmpty());
    return 0;
}
