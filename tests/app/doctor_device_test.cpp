#include "hardware/simulated_relay.h"
#include "support/doctor_installation.h"
#include "support/serial_fixtures.h"

#include <QTcpServer>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvalen;
using test::DemoInstallation;
using test::ToolRun;

namespace {

// A loopback port nobody listens on: taken, then given back.
quint16 closedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

QByteArray ini(const QString& text) {
    return text.toUtf8();
}

void expectMentions(const ToolRun& run, const QStringList& mentions) {
    for (const QString& mention : mentions) {
        EXPECT_TRUE(run.out.contains(mention)) << mention.toStdString() << " not in:\n"
                                               << run.out.toStdString();
    }
}

struct DeviceCase {
    const char* name;
    std::function<void(const DemoInstallation&)> setUp;
    QStringList mentions; // in the report; a healthy case names what it found
    bool healthy = false;
};

TEST(DoctorDevices, EachDeviceTheSettingsName) {
    const test::PtyPair line;
    const QString turnstile =
        QStringLiteral("UPDATE Sacvar SET ROLETA = '%1', TIPO_ROLETA = '%2'; ");
    const DeviceCase cases[] = {
        {"reader on a line that is there",
         [&](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar SET PINPAD = 'COM7'"));
             t.write(QStringLiteral("terminal.ini"),
                     ini(QStringLiteral("[ports]\nCOM7=") + line.path() + QLatin1Char('\n')));
         },
         {QStringLiteral("the reader's port COM7 (Sacvar.PINPAD): ") + line.path()},
         true},
        {"reader on a line that is gone",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar SET PINPAD = 'COM7'"));
             t.write(QStringLiteral("terminal.ini"),
                     ini(QStringLiteral("[ports]\nCOM7=") + t.file(QStringLiteral("ttyUSB9"))));
         },
         {QStringLiteral("Sacvar.PINPAD"), QStringLiteral("ttyUSB9, which does not exist"),
          QStringLiteral("[ports] COM7=PATH")}},
        {"reader mapped to a plain file",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar SET PINPAD = 'COM7'"));
             t.write(QStringLiteral("terminal.ini"),
                     ini(QStringLiteral("[ports]\nCOM7=") + t.file(QStringLiteral("Orvalen.udl"))));
         },
         {QStringLiteral("Orvalen.udl, which is not a device")}},
        {"reader without a port name",
         [](const DemoInstallation& t) {
             t.change(QStringLiteral("UPDATE Sacvar SET PINPAD = ''"));
         },
         {QStringLiteral("Sacvar.PINPAD is empty"), QStringLiteral("\"NADA\"")}},
        {"turnstile on the RTS line of a missing port",
         [&](const DemoInstallation& t) {
             t.change(turnstile.arg(QStringLiteral("COM5"), QStringLiteral("A")));
             t.write(QStringLiteral("terminal.ini"),
                     ini(QStringLiteral("[ports]\nCOM5=/dev/orvalen-no-such-port\n")));
         },
         {QStringLiteral("the turnstile's serial port COM5 (Sacvar.ROLETA) is the device "
                         "/dev/orvalen-no-such-port")}},
        {"converter that is not plugged in",
         [&](const DemoInstallation& t) {
             t.change(turnstile.arg(QStringLiteral("USBLPT1"), QStringLiteral("R")));
             t.change(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = 'Sim'"));
             t.write(QStringLiteral("terminal.ini"),
                     ini(QStringLiteral("[devices]\nconverter=/dev/orvalen-no-usblpt\n")));
         },
         {QStringLiteral("the USB-to-parallel converter USBLPT1 (Sacvar.ROLETA) is the device "
                         "/dev/orvalen-no-usblpt"),
          QStringLiteral("[devices] converter=PATH")}},
        {"simulated converter",
         [&](const DemoInstallation& t) {
             t.change(turnstile.arg(QStringLiteral("USBLPT1"), QStringLiteral("R")));
             t.change(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = 'Sim'"));
             t.write(QStringLiteral("terminal.ini"),
                     ini(QStringLiteral("[devices]\nconverter=simulated\n")));
         },
         {QStringLiteral("the USB-to-parallel converter: simulated")},
         true},
        {"parallel port at an address nobody mapped",
         [&](const DemoInstallation& t) {
             t.change(turnstile.arg(QStringLiteral("LPT1"), QStringLiteral("R")));
             t.change(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = 'Não', ENDERECO_LPT = '278'"));
         },
         {QStringLiteral("no device for the parallel port at address 278"),
          QStringLiteral("[ports] 278=/dev/parport1")}},
        {"parallel port address in words",
         [&](const DemoInstallation& t) {
             t.change(turnstile.arg(QStringLiteral("LPT1"), QStringLiteral("R")));
             t.change(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = 'Não', ENDERECO_LPT = 'LPT'"));
         },
         {QStringLiteral("Sacvar2.ENDERECO_LPT \"LPT\" is not a port address")}},
        {"relay nobody answers for",
         [&](const DemoInstallation& t) {
             t.change(turnstile.arg(QStringLiteral("WIFI"), QStringLiteral("R")));
             t.change(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = 'Não', ENDERECO_LPT = '', "
                                     "CatracaWireless = '127.0.0.1:%1'")
                          .arg(closedPort()));
         },
         {QStringLiteral("the Wi-Fi relay at 127.0.0.1:"), QStringLiteral("cannot be reached"),
          QStringLiteral("ping 127.0.0.1")}},
        {"relay without an address",
         [&](const DemoInstallation& t) {
             t.change(turnstile.arg(QStringLiteral("WIFI"), QStringLiteral("R")));
             t.change(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = 'Não', ENDERECO_LPT = '', "
                                     "CatracaWireless = ''"));
         },
         {QStringLiteral("Sacvar2.CatracaWireless \"\" is not the address of a Wi-Fi relay")}},
        {"activity codes the club has",
         [](const DemoInstallation& t) { t.write(QStringLiteral("Acesso.txt"), "0102\r\n"); },
         {QStringLiteral("Acesso.txt: 2 activity codes, all in ATIVIDADES")},
         true},
        {"an activity code the club does not have",
         [](const DemoInstallation& t) { t.write(QStringLiteral("Acesso.txt"), "01ZZ\r\n"); },
         {QStringLiteral("admits the activity code \"ZZ\", which ATIVIDADES does not list")}},
    };
    for (const DeviceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DemoInstallation installation;
        c.setUp(installation);
        const ToolRun run = installation.doctor();
        EXPECT_EQ(run.status, c.healthy ? 0 : 1) << run.out.toStdString();
        if (!c.healthy) {
            EXPECT_TRUE(run.out.contains(QStringLiteral("1 problem in"))) << run.out.toStdString();
            EXPECT_TRUE(run.out.contains(QStringLiteral("what to do:"))) << run.out.toStdString();
        }
        expectMentions(run, c.mentions);
    }
}

// Reaching the relay must not switch it: the terminal may be pulsing it right now.
TEST(DoctorDevices, RelayIsReachedWithoutARequest) {
    const DemoInstallation installation;
    hardware::SimulatedRelay relay;
    ASSERT_EQ(relay.listen(QStringLiteral("127.0.0.1"), 0), QString());
    installation.change(QStringLiteral("UPDATE Sacvar SET ROLETA = 'WIFI', TIPO_ROLETA = 'R'"));
    installation.change(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = 'Não', ENDERECO_LPT = '', "
                                       "CatracaWireless = '%1'")
                            .arg(relay.address()));
    const ToolRun run = installation.doctor();
    EXPECT_EQ(run.status, 0) << run.out.toStdString();
    expectMentions(
        run, {QStringLiteral("the Wi-Fi relay (Sacvar2.CatracaWireless): ") + relay.address()});
    QCoreApplication::processEvents(); // a request, had one been sent, would be read now
    EXPECT_TRUE(relay.requests().isEmpty());
}

// A line the terminal's user may not open: the remedy names the group that owns it, which
// may not be the usual one.
TEST(DoctorDevices, LineTheUserMayNotOpen) {
    const group* lp = getgrnam("lp");
    if (geteuid() != 0 || lp == nullptr) {
        GTEST_SKIP() << "needs root and the group lp to run the doctor as another user";
    }
    const test::PtyPair line;
    const QByteArray device = QFile::encodeName(line.path());
    ASSERT_EQ(chown(device.constData(), 0, lp->gr_gid), 0);
    ASSERT_EQ(chmod(device.constData(), 0660), 0);
    const DemoInstallation installation;
    installation.change(QStringLiteral("UPDATE Sacvar SET PINPAD = 'COM7'"));
    installation.write(QStringLiteral("terminal.ini"),
                       ini(QStringLiteral("[ports]\nCOM7=") + line.path() + QLatin1Char('\n')));
    const QByteArray folder = QFile::encodeName(installation.folder());
    ASSERT_EQ(chmod(folder.constData(), 0777), 0);
    const ToolRun run =
        test::runToolProcess(installation.doctorArguments(), test::RunAs::OrdinaryUser);
    ASSERT_EQ(chmod(folder.constData(), 0700), 0);
    EXPECT_EQ(run.status, 1) << run.out.toStdString();
    expectMentions(run, {QStringLiteral("user nobody may not read and write ") + line.path(),
                         QStringLiteral("add nobody to the group lp (`adduser nobody lp`)")});
}

// The fingerprint library runs in the tool's own process: one library a process.
TEST(DoctorDevices, FingerprintReaderWhenTheSettingsAskForOne) {
    const DemoInstallation installation;
    installation.change(QStringLiteral("UPDATE Sacvar2 SET LEITOR_BIOMETRICO = 'Sim'"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("FP_VIRTUAL_IMAGE"));

    const ToolRun none =
        test::runToolProcess(installation.doctorArguments(), test::RunAs::ThisUser, environment);
    EXPECT_EQ(none.status, 1) << none.out.toStdString();
    expectMentions(none, {QStringLiteral("no fingerprint reader is found, while "
                                         "Sacvar2.LEITOR_BIOMETRICO is \"Sim\""),
                          QStringLiteral("uru4000")});

    installation.write(QStringLiteral("terminal.ini"),
                       "[devices]\nfingerprint_virtual=reader-socket\n");
    const ToolRun virtualReader =
        test::runToolProcess(installation.doctorArguments(), test::RunAs::ThisUser, environment);
    EXPECT_EQ(virtualReader.status, 0) << virtualReader.out.toStdString();
    expectMentions(virtualReader, {QStringLiteral("fingerprint reader: ")});
}

} // namespace
