// The settings file: whatever it holds, the program runs with values that
// keep the rules, and what the configuration dialog lets through is read
// back unchanged. Input: the INI file.
#include "fuzz/fuzzsupport.h"

#include "app/settingsreader.h"
#include "app/settingsrules.h"
#include "app/settingswriter.h"
#include "net/ipfinder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

FUZZ_INIT

namespace {

void checkRules(const AppSettings &s)
{
    FUZZ_CHECK(SettingsRules::isPort(QString::number(s.tcpPort)) && s.tcpPortText == QString::number(s.tcpPort));
    FUZZ_CHECK(SettingsRules::isPort(QString::number(s.udpPortRx)));
    FUZZ_CHECK(SettingsRules::isIpTotal(QString::number(s.ipTotal)));
    FUZZ_CHECK(SettingsRules::isStatusPoll(QString::number(s.statusPoll)));
    FUZZ_CHECK(SettingsRules::looks().contains(s.style) && s.darkStyle == (s.style == QLatin1String("Dark")));
    FUZZ_CHECK(SettingsRules::isCommandFileName(s.cmdFile));
    FUZZ_CHECK(SettingsRules::isIPv4(s.localIP));
    // The search covers addresses only, never "10.0.0.300".
    const QStringList range = IPfinder::candidateRange(s.localIP, s.ipTotal);
    FUZZ_CHECK(range.size() == s.ipTotal);
    for (const QString &address : range)
        FUZZ_CHECK(SettingsRules::isIPv4(address));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory where there is such a folder: saving syncs to the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/orvfuzz-XXXXXX")
                                                                        : QDir::tempPath() + QStringLiteral("/orvfuzz-XXXXXX"));
    static int round = 0;
    // A new name each time: QSettings caches files by path.
    const QString path = dir.filePath(QStringLiteral("in%1.ini").arg(++round));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        file.write(FuzzSupport::bytes(data, size));
    }
    const QStringList arguments{QStringLiteral("Orvanto"), path};
    const AppSettings settings = SettingsReader::read(arguments, dir.path());
    checkRules(settings);

    // The dialog's form over the same file: when it finds no problem, what
    // it saves is read back without a single fallback.
    ConfigFormValues values = SettingsReader::readForDialog(path);
    values.localIP = QStringLiteral("192.168.1.40");
    if (SettingsRules::firstProblem(values).field.isEmpty()) {
        const QString saved = dir.filePath(QStringLiteral("out%1.ini").arg(round));
        FUZZ_CHECK(SettingsWriter::saveDialogValues(saved, values));
        const AppSettings back = SettingsReader::read({QStringLiteral("Orvanto"), saved}, dir.path());
        FUZZ_CHECK(back.fallbacks.isEmpty());
        FUZZ_CHECK(back.ipTotal == values.ipTotal.trimmed().toInt());
        checkRules(back);
        QFile::remove(saved);
    }
    QFile::remove(path);
    return 0;
}
