// GroupIP.csv: what loads is what a save writes and a reload gives back.
#include "fuzz/fuzzsupport.h"

#include "net/groupipfile.h"

FUZZ_INIT

namespace {

GroupIpFile::Groups withoutFound(GroupIpFile::Groups groups)
{
    for (int i = groups.size() - 1; i >= 0; --i)
        if (groups.at(i).name == GroupIpFile::foundGroupName())
            groups.remove(i);
    return groups;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = FuzzSupport::bytes(data, size);
    QStringList warnings;
    const GroupIpFile::Groups groups = GroupIpFile::parse(file, &warnings);
    FUZZ_CHECK(warnings.size() <= GroupIpFile::MaxWarnings + 1);
    int records = 0;
    for (const GroupIpFile::Group &group : groups) {
        records += 1 + group.projectors.size();
        FUZZ_CHECK(!group.name.isEmpty() && !group.name.contains(QLatin1Char(',')));
    }
    FUZZ_CHECK(records <= GroupIpFile::MaxRecords);

    // Save and reload: the same groups ("Found" is never written), and the
    // written text is a fixed point.
    const QByteArray saved = GroupIpFile::serialize(groups);
    const GroupIpFile::Groups reloaded = GroupIpFile::parse(saved);
    FUZZ_CHECK(reloaded == withoutFound(groups));
    FUZZ_CHECK(GroupIpFile::serialize(reloaded) == saved);

    // Whatever the tree editor lets through survives a save and a reload.
    const QStringList texts = QString::fromUtf8(file).split(QLatin1Char('\x1e'));
    GroupIpFile::Group edited;
    edited.name = texts.value(0);
    edited.checked = true;
    GroupIpFile::Projector projector{false, texts.value(1), texts.value(2)};
    edited.projectors.append(projector);
    using F = GroupIpFile::Field;
    if (GroupIpFile::storeProblem(F::GroupName, edited.name).isEmpty() &&
        GroupIpFile::storeProblem(F::Address, projector.ip).isEmpty() &&
        GroupIpFile::storeProblem(F::ProjectorName, projector.name).isEmpty()) {
        const GroupIpFile::Groups back = GroupIpFile::parse(GroupIpFile::serialize({edited}));
        FUZZ_CHECK(back == GroupIpFile::Groups{edited});
    }
    return 0;
}
