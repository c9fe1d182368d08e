#include "net/cataloguefiles.h"
#include "net/discoveryreply.h"
#include "net/groupipfile.h"

#include "tests/common/testenvironment.h"

#include <QTemporaryDir>
#include <QtTest>

// The wire format of discovery and the GroupIP.csv file format.
class TestDiscoveryRules : public QObject
{
    Q_OBJECT

private slots:
    void replyFields_data();
    void replyFields();
    void datagramText();
    void plainModelName_data();
    void plainModelName();

    void storeProblem_data();
    void storeProblem();
    void groupFile_data();
    void groupFile();
    void roundTripAndEncoding();
    void hostileFiles();
    void saveFailureKeepsNothingHalfWritten();
};

void TestDiscoveryRules::replyFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields"); // ip, model, serial, mac
    QTest::addColumn<bool>("usable");
    QTest::newRow("bridge reply") << "UDP:ip=10.0.0.5;mac=AA:BB:CC:DD:EE:FF;model=KX4410Q;serial=Brivox-0;"
                                  << QStringList{"10.0.0.5", "KX4410Q", "Brivox-0", "AA:BB:CC:DD:EE:FF"} << true;
    QTest::newRow("other order, empty parts") << "UDP:serial=S1;;model=M;;mac=M1;ip=10.0.0.6;;"
                                              << QStringList{"10.0.0.6", "M", "S1", "M1"} << true;
    QTest::newRow("value cut at a further =") << "UDP:ip=10.0.0.7=x;model=a=b"
                                              << QStringList{"10.0.0.7", "a", "", ""} << true;
    QTest::newRow("later part wins, keys case-sensitive") << "UDP:ip=10.0.0.1;IP=10.0.0.9;ip=10.0.0.2;Model=X"
                                                          << QStringList{"10.0.0.2", "", "", ""} << true;
    // "ip=" is tested first: a model field naming "ship=" is taken for ip.
    QTest::newRow("substring match order") << "UDP:ship=1;ip=10.0.0.3" << QStringList{"10.0.0.3", "", "", ""}
                                           << true;
    QTest::newRow("no ip") << "UDP:model=KX;serial=1" << QStringList{"", "KX", "1", ""} << false;
    QTest::newRow("bad ip: octet > 255") << "ip=10.0.0.256;" << QStringList{"10.0.0.256", "", "", ""} << false;
    QTest::newRow("bad ip: sign") << "ip=10.0.+1.2;" << QStringList{"10.0.+1.2", "", "", ""} << false;
    QTest::newRow("bad ip: empty octet") << "ip=10..1.2;" << QStringList{"10..1.2", "", "", ""} << false;
    QTest::newRow("bad ip: leading zero") << "ip=10.0.0.07;" << QStringList{"10.0.0.07", "", "", ""} << false;
}

void TestDiscoveryRules::replyFields()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QFETCH(bool, usable);
    const DiscoveryReply reply = DiscoveryReply::parse(text);
    QCOMPARE((QStringList{reply.ip, reply.model, reply.serial, reply.mac}), fields);
    QCOMPARE(reply.hasValidIp(), usable);
    QCOMPARE(reply.ipValue() != 0, usable && reply.ip != "0.0.0.0");
    QVERIFY(!reply.parts.contains(QString()));
}

void TestDiscoveryRules::datagramText()
{
    bool cut = true;
    QCOMPARE(DiscoveryReply::datagramText(QByteArray("ip=1.2.3.4;\0model=X;", 20), &cut), QString("ip=1.2.3.4;"));
    QVERIFY(!cut);
    const QByteArray huge(65507, 'x');
    QCOMPARE(DiscoveryReply::datagramText(huge, &cut).size(), DiscoveryReply::MaxReplyBytes);
    QVERIFY(cut);
    QCOMPARE(DiscoveryReply::datagramText("\xe9t\xe9"), QString::fromUtf8("été")); // Latin-1
    QVERIFY(DiscoveryReply::isRequest("xx?ZZ?yy"));
    QVERIFY(!DiscoveryReply::isRequest("?ZZ"));
    QCOMPARE(DiscoveryReply::build("10.0.0.5", "AA", "KX4410Q", "Brivox-0"),
             QByteArray("ip=10.0.0.5;mac=AA;model=KX4410Q;serial=Brivox-0;"));
}

void TestDiscoveryRules::plainModelName_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("plain");
    QTest::newRow("model") << "KX-4410.B rev_2" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("parent folder") << "../../etc/passwd" << false;
    QTest::newRow("hidden file") << ".KX" << false;
    QTest::newRow("dots at the end") << "K.." << false;
    QTest::newRow("too long") << QString(65, 'K') << false;
}

void TestDiscoveryRules::plainModelName()
{
    QFETCH(QString, model);
    QFETCH(bool, plain);
    QCOMPARE(DiscoveryReply::isPlainModelName(model), plain);
    QCOMPARE(CatalogueFiles::isPlainModelName(model), plain);
}

using Groups = GroupIpFile::Groups;

namespace {

GroupIpFile::Group group(const QString &name, bool checked, const QVector<GroupIpFile::Projector> &projectors = {})
{
    GroupIpFile::Group g;
    g.name = name;
    g.checked = checked;
    g.projectors = projectors;
    return g;
}

GroupIpFile::Projector pj(bool checked, const QString &ip, const QString &name)
{
    return {checked, ip, name};
}

} // namespace

Q_DECLARE_METATYPE(GroupIpFile::Groups)

void TestDiscoveryRules::storeProblem_data()
{
    using F = GroupIpFile::Field;
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("storable");
    QTest::newRow("group") << int(F::GroupName) << "Hall A " << true;
    QTest::newRow("group: empty") << int(F::GroupName) << "" << false;
    QTest::newRow("group: leading blank") << int(F::GroupName) << " Hall" << false;
    QTest::newRow("group: comma") << int(F::GroupName) << "Hall, B" << false;
    QTest::newRow("group: the temporary one") << int(F::GroupName) << "Found" << false;
    QTest::newRow("name: leading blank") << int(F::ProjectorName) << " Left" << true;
    QTest::newRow("name: trailing blank") << int(F::ProjectorName) << "Left " << false;
    QTest::newRow("name: line break") << int(F::ProjectorName) << "Le\nft" << false;
    QTest::newRow("address: comma") << int(F::Address) << "10.0.0.1,2" << false;
}

void TestDiscoveryRules::storeProblem()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, storable);
    QCOMPARE(GroupIpFile::storeProblem(GroupIpFile::Field(field), text).isEmpty(), storable);
}

void TestDiscoveryRules::groupFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Groups>("groups");
    QTest::addColumn<QStringList>("warnedLines"); // "line N" of each warning
    const QByteArray header = "Group, Select, IP, Name\n";
    QTest::newRow("header only") << header << Groups{} << QStringList{};
    QTest::newRow("group with two projectors")
        << header + "Hall A,1\n ,0,10.0.0.1,Left\n ,1,10.0.0.2,Right\n"
        << Groups{group("Hall A", true, {pj(false, "10.0.0.1", "Left"), pj(true, "10.0.0.2", "Right")})}
        << QStringList{};
    QTest::newRow("crlf, blanks, select with a space")
        << header + "Hall,1 \r\n\r\n   \n ,1 ,10.0.0.1,P\r\n" << Groups{group("Hall", true, {pj(false, "10.0.0.1", "P")})}
        << QStringList{};
    QTest::newRow("commas cut names") << header + "Hall, B,1\n ,1,10.0.0.1,Left  , right\n"
                                      << Groups{group("Hall", false, {pj(true, "10.0.0.1", "Left")})} << QStringList{};
    QTest::newRow("short records skipped, named by line")
        << header + "Lonely\nHall,1\n ,1,10.0.0.1\n ,1,10.0.0.2,P\n"
        << Groups{group("Hall", true, {pj(true, "10.0.0.2", "P")})} << QStringList{"line 2", "line 4"};
    QTest::newRow("projectors before the first group kept")
        << header + " ,1,10.0.0.1,A\n ,0,10.0.0.2,B\nHall,0\n"
        << Groups{group(GroupIpFile::orphanGroupName(), true, {pj(true, "10.0.0.1", "A"), pj(false, "10.0.0.2", "B")}),
                  group("Hall", false)}
        << QStringList{"line 2"};
    QTest::newRow("text after NUL ignored") << header + "Hall,1\n" + QByteArray("Gone,1\0More,1\n", 14) << Groups{group("Hall", true), group("Gone", true)}
                                           << QStringList{};
}

void TestDiscoveryRules::groupFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Groups, groups);
    QFETCH(QStringList, warnedLines);
    QStringList warnings;
    QCOMPARE(GroupIpFile::parse(bytes, &warnings), groups);
    QCOMPARE(warnings.size(), warnedLines.size());
    for (int i = 0; i < warnings.size(); ++i)
        QVERIFY2(warnings.at(i).contains(QRegularExpression(warnedLines.at(i) + "\\b")), qPrintable(warnings.at(i)));
}

void TestDiscoveryRules::roundTripAndEncoding()
{
    // Byte for byte, "Found" left out, UTF-8 names survive repeated saves.
    const QByteArray file = QString::fromUtf8("Group, Select, IP, Name\nHall A,1\n ,0,10.0.0.1,Left\n ,1,10.0.0.2,Right\n"
                                              "Salle é,0\n ,1,10.0.0.3,展厅\n")
                                .toUtf8();
    QCOMPARE(GroupIpFile::serialize(GroupIpFile::parse(file)), file);
    Groups withFound = GroupIpFile::parse(file);
    withFound.insert(1, group("Found", true, {pj(true, "10.0.0.9", "")}));
    QCOMPARE(GroupIpFile::serialize(GroupIpFile::parse(GroupIpFile::serialize(withFound))), file);
    // An older tool's Latin-1 file keeps its accents and is written back as UTF-8.
    const QByteArray latin1 = "Group, Select, IP, Name\nSalle \xe9,1\n";
    QCOMPARE(GroupIpFile::serialize(GroupIpFile::parse(latin1)), QString::fromUtf8("Group, Select, IP, Name\nSalle é,1\n").toUtf8());
}

void TestDiscoveryRules::hostileFiles()
{
    // 10 MB of binary junk with line breaks, and a file of endless records.
    QByteArray junk(10 * 1024 * 1024, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((qint64(i) * 7919 + 13) % 251 + 1);
    QStringList warnings;
    const Groups fromJunk = GroupIpFile::parse(junk, &warnings);
    int records = 0;
    for (const auto &g : fromJunk)
        records += 1 + g.projectors.size();
    QVERIFY(records <= GroupIpFile::MaxRecords);
    warnings.clear();
    GroupIpFile::parse("Group, Select, IP, Name\n" + QByteArray("Lonely\n").repeated(100), &warnings);
    QCOMPARE(warnings.size(), GroupIpFile::MaxWarnings + 1); // the rest summed up in one line

    QByteArray many = "Group, Select, IP, Name\nHall,1\n";
    const QByteArray row = " ,1,10.0.0.1,P\n";
    for (int i = 0; i < GroupIpFile::MaxRecords + 10; ++i)
        many += row;
    warnings.clear();
    QCOMPARE(GroupIpFile::parse(many, &warnings).value(0).projectors.size(), GroupIpFile::MaxRecords - 1);
    QCOMPARE(warnings.size(), 1);
}

void TestDiscoveryRules::saveFailureKeepsNothingHalfWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("GroupIP.csv");
    const Groups groups{group("Hall", true, {pj(true, "10.0.0.1", "P")})};
    QString error;
    QVERIFY(GroupIpFile::save(path, groups, &error));
    QCOMPARE(GroupIpFile::load(path), groups);
    // A directory in the way: the save fails and leaves the directory alone.
    QVERIFY(QDir(dir.path()).mkdir("taken.csv"));
    QVERIFY(!GroupIpFile::save(dir.filePath("taken.csv"), groups, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.filePath("taken.csv")).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"GroupIP.csv"});
}

ORV_TEST_GUILESS_MAIN(TestDiscoveryRules)
#include "tst_discoveryrules.moc"
