#include "store/local_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;
using store::LocalSettings;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

TEST(LocalSettingsTest, MissingFileGivesDefaults) {
    QTemporaryDir dir;
    const auto settings = LocalSettings::load(dir.path());
    ASSERT_TRUE(settings.ok());
    EXPECT_EQ(settings->odbcDriver, QStringLiteral("FreeTDS"));
    EXPECT_EQ(settings->tdsVersion, QStringLiteral("7.4"));
    EXPECT_EQ(settings->portOutputDevice, QStringLiteral("/dev/port"));
    EXPECT_EQ(settings->deviceForPort(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(settings->filePath(QStringLiteral("Orvalen.udl")),
              dir.filePath(QStringLiteral("Orvalen.udl")));
}

TEST(LocalSettingsTest, ReadsTerminalIniAndMapsPorts) {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("terminal.ini")),
              "[database]\nodbc_driver=ODBC Driver 18 for SQL Server\ntds_version=7.3\n"
              "[ports]\nCOM3=/dev/ttyUSB0\ncom4=/dev/ttyACM1\n"
              "[devices]\nport_output=/tmp/port\nconverter=/dev/usblpt0\n"
              "[log]\npath=/var/log/orvalen/terminal.log\n");
    const auto settings = LocalSettings::load(dir.path());
    ASSERT_TRUE(settings.ok()) << settings.error().message.toStdString();
    EXPECT_EQ(settings->odbcDriver, QStringLiteral("ODBC Driver 18 for SQL Server"));
    EXPECT_EQ(settings->tdsVersion, QStringLiteral("7.3"));
    EXPECT_EQ(settings->portOutputDevice, QStringLiteral("/tmp/port"));
    EXPECT_EQ(settings->converterDevice, QStringLiteral("/dev/usblpt0"));
    EXPECT_EQ(settings->exceptionLogPath, QStringLiteral("/var/log/orvalen/terminal.log"));

    const std::pair<const char*, const char*> ports[] = {
        {"COM3", "/dev/ttyUSB0"}, {"COM4", "/dev/ttyACM1"}, {"com1", "/dev/ttyS0"},
        {"COM10", "/dev/ttyS9"},  {"COM0", "COM0"},         {"/dev/pts/3", "/dev/pts/3"}};
    for (const auto& [port, device] : ports) {
        EXPECT_EQ(settings->deviceForPort(QLatin1String(port)), QLatin1String(device)) << port;
    }
}

TEST(LocalSettingsTest, AProtocolVersionThatIsNoVersionNamesFileAndValue) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("terminal.ini"));
    writeFile(ini, "[database]\ntds_version=seven\n");
    const auto settings = LocalSettings::load(dir.path());
    ASSERT_FALSE(settings.ok());
    EXPECT_TRUE(settings.error().message.contains(ini));
    EXPECT_TRUE(settings.error().message.contains(QStringLiteral("\"seven\"")));
}

TEST(LocalSettingsTest, DataLinkFolderFromOptionEnvironmentOrDefault) {
    qunsetenv("ORVALEN_DATALINK_DIR");
    EXPECT_EQ(store::dataLinkFolder({QStringLiteral("app")}), QStringLiteral("/etc/orvalen"));
    qputenv("ORVALEN_DATALINK_DIR", "/srv/club");
    EXPECT_EQ(store::dataLinkFolder({QStringLiteral("app")}), QStringLiteral("/srv/club"));
    EXPECT_EQ(store::dataLinkFolder({QStringLiteral("app"), QStringLiteral("--datalink-dir"),
                                     QStringLiteral("/opt/a")}),
              QStringLiteral("/opt/a"));
    EXPECT_EQ(
        store::dataLinkFolder({QStringLiteral("app"), QStringLiteral("--datalink-dir=/opt/b")}),
        QStringLiteral("/opt/b"));
    qunsetenv("ORVALEN_DATALINK_DIR");
}

} // namespace

namespace {

TEST(LocalSettingsTest, MapsParallelAddressesAndTheConverter) {
    QTemporaryDir dir;
    const auto defaults = LocalSettings::load(dir.path());
    ASSERT_TRUE(defaults.ok());
    EXPECT_EQ(defaults->deviceForParallelAddress(QStringLiteral("378")),
              QStringLiteral("/dev/parport0"));
    EXPECT_EQ(defaults->deviceForParallelAddress(QStringLiteral("278")), QString());
    // Without [devices] converter= the converter's name maps like a serial port.
    EXPECT_EQ(defaults->deviceForConverter(QStringLiteral("COM2")), QStringLiteral("/dev/ttyS1"));

    writeFile(dir.filePath(QStringLiteral("terminal.ini")),
              "[ports]\n278=/dev/parport1\n0x3bc=/dev/port\nCOM3=/dev/ttyUSB0\n"
              "[devices]\nconverter=/dev/usblpt0\n");
    const auto settings = LocalSettings::load(dir.path());
    ASSERT_TRUE(settings.ok()) << settings.error().message.toStdString();
    const std::pair<const char*, const char*> addresses[] = {{"278", "/dev/parport1"},
                                                             {"$278", "/dev/parport1"},
                                                             {"0278", "/dev/parport1"},
                                                             {"3BC", "/dev/port"},
                                                             {"$3bc", "/dev/port"},
                                                             {"378", "/dev/parport0"},
                                                             {"$378", "/dev/parport0"},
                                                             {"2F8", ""},
                                                             {"LPT1", ""},
                                                             {"", ""}};
    for (const auto& [address, device] : addresses) {
        EXPECT_EQ(settings->deviceForParallelAddress(QLatin1String(address)), QLatin1String(device))
            << address;
    }
    EXPECT_EQ(settings->deviceForPort(QStringLiteral("COM3")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(settings->deviceForConverter(QStringLiteral("LPT1")), QStringLiteral("/dev/usblpt0"));
}

TEST(LocalSettingsTest, ContingencyIsOffUnlessAskedForAndReadsItsSettings) {
    QTemporaryDir dir;
    const auto defaults = LocalSettings::load(dir.path());
    ASSERT_TRUE(defaults.ok());
    EXPECT_FALSE(defaults->contingency.enabled);
    EXPECT_EQ(defaults->contingency.copyPath, dir.filePath(QStringLiteral("contingency-copy.db")));
    EXPECT_EQ(defaults->contingency.refreshMinutes, 5);
    EXPECT_EQ(defaults->contingency.maxAgeHours, 24);
    EXPECT_TRUE(defaults->contingency.photos);

    writeFile(dir.filePath(QStringLiteral("terminal.ini")),
              "[contingency]\nenabled=yes\ncopy=copies/door.db\nrefresh_minutes=2\n"
              "max_age_hours=48\nphotos=no\n");
    const auto settings = LocalSettings::load(dir.path());
    ASSERT_TRUE(settings.ok()) << settings.error().message.toStdString();
    EXPECT_TRUE(settings->contingency.enabled);
    EXPECT_EQ(settings->contingency.copyPath, dir.filePath(QStringLiteral("copies/door.db")));
    EXPECT_EQ(settings->contingency.refreshMinutes, 2);
    EXPECT_EQ(settings->contingency.maxAgeHours, 48);
    EXPECT_FALSE(settings->contingency.photos);
    EXPECT_TRUE(settings->contingency.problem.isEmpty());
}

// A value it cannot read turns contingency off and says which setting and value; the rest
// of the file still applies.
TEST(LocalSettingsTest, AContingencyValueItCannotReadTurnsContingencyOff) {
    const std::pair<const char*, const char*> cases[] = {
        {"enabled=maybe\n", "\"maybe\" as [contingency] enabled"},
        {"enabled=yes\nrefresh_minutes=0\n", "\"0\" as [contingency] refresh_minutes"},
        {"enabled=yes\nrefresh_minutes=five\n", "\"five\" as [contingency] refresh_minutes"},
        {"enabled=yes\nmax_age_hours=-3\n", "\"-3\" as [contingency] max_age_hours"},
        {"enabled=yes\nphotos=some\n", "\"some\" as [contingency] photos"},
    };
    for (const auto& [group, named] : cases) {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("terminal.ini")),
                  QByteArray("[ports]\nCOM3=/dev/ttyUSB0\n[contingency]\n") + group);
        const auto settings = LocalSettings::load(dir.path());
        ASSERT_TRUE(settings.ok()) << group;
        EXPECT_FALSE(settings->contingency.enabled) << group;
        EXPECT_TRUE(settings->contingency.problem.contains(QLatin1String(named)))
            << group << settings->contingency.problem.toStdString();
        EXPECT_EQ(settings->deviceForPort(QStringLiteral("COM3")), QStringLiteral("/dev/ttyUSB0"));
    }
}

} // namespace
