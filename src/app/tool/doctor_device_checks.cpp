#include "app/tool/doctor_device_checks.h"

#include "activities/access_point_file.h"
#include "hardware/wifi_relay.h"
#include "shell/fingerprint_parts.h"
#include "store/settings.h"
#include "store/statement_catalogue.h"
#include "terminal/rules/turnstile_choice.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QUrl>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

namespace orvalen::tool {

namespace {

using terminal::TurnstileOutputKind;

const store::Statement kActivityCodes{"doctor activities",
                                      "doctor: the activities the access point file may name",
                                      "SELECT CODIGO FROM Atividades"};

QString userName() {
    const passwd* entry = getpwuid(geteuid());
    return entry != nullptr ? QString::fromLocal8Bit(entry->pw_name)
                            : QStringLiteral("uid %1").arg(geteuid());
}

// A device the terminal opens for reading and writing, as the settings name it.
struct DeviceUse {
    QString what;    // "the reader's port COM2 (Sacvar.PINPAD)"
    QString path;    // where terminal.ini puts it
    QString mapping; // the terminal.ini line that moves it: "[ports] COM2="
    QString group;   // the group that usually owns such devices
};

QString groupOf(const struct stat& info, const QString& usual) {
    const group* entry = getgrgid(info.st_gid);
    const QString name = entry != nullptr ? QString::fromLocal8Bit(entry->gr_name) : QString();
    return name.isEmpty() || name == QLatin1String("root") ? usual : name;
}

void checkDeviceFile(const DeviceUse& use, const QString& iniFile, DoctorReport& report) {
    struct stat info {};
    if (::stat(QFile::encodeName(use.path).constData(), &info) != 0) {
        report.problem(
            QStringLiteral("%1 is the device %2, which does not exist").arg(use.what, use.path),
            QStringLiteral("plug the device in, or name where it is with %1PATH in %2 "
                           "(`ls -l /dev/orvalen /dev/serial/by-id` lists the USB "
                           "serial adapters)")
                .arg(use.mapping, iniFile));
        return;
    }
    if (!S_ISCHR(info.st_mode)) {
        report.problem(
            QStringLiteral("%1 is %2, which is not a device").arg(use.what, use.path),
            QStringLiteral("name the device with %1PATH in %2").arg(use.mapping, iniFile));
        return;
    }
    if (access(QFile::encodeName(use.path).constData(), R_OK | W_OK) != 0) {
        const QString user = userName();
        const QString group = groupOf(info, use.group);
        report.problem(
            QStringLiteral("user %1 may not read and write %2 (%3)").arg(user, use.path, use.what),
            QStringLiteral("add %1 to the group %2 (`adduser %1 %2`) and log in again")
                .arg(user, group));
        return;
    }
    report.fact(QStringLiteral("%1: %2").arg(use.what, use.path));
}

void checkReaderPort(const store::SettingsRow& sacvar, const store::LocalSettings& local,
                     const QString& iniFile, DoctorReport& report) {
    const QString pinpad = sacvar.text(QStringLiteral("PINPAD"));
    if (pinpad == QLatin1String("NADA")) {
        return;
    }
    if (pinpad.trimmed().isEmpty()) {
        report.problem(QStringLiteral("Sacvar.PINPAD is empty: the terminal takes it for a reader "
                                      "on a port without a name"),
                       QStringLiteral("set Sacvar.PINPAD to \"NADA\" when there is no card reader "
                                      "or keypad, or to its port (\"COM2\")"));
        return;
    }
    checkDeviceFile({QStringLiteral("the reader's port %1 (Sacvar.PINPAD)").arg(pinpad),
                     local.deviceForPort(pinpad), QStringLiteral("[ports] %1=").arg(pinpad),
                     QStringLiteral("dialout")},
                    iniFile, report);
}

// The relay is only connected to, never sent a request: a request would switch it.
void checkRelay(const QString& address, DoctorReport& report) {
    const QUrl url(hardware::WifiRelay::requestUrl(address, hardware::RelaySwitch::Off),
                   QUrl::StrictMode);
    if (address.trimmed().isEmpty() || !url.isValid() || url.host().isEmpty()) {
        report.problem(
            QStringLiteral("Sacvar2.CatracaWireless \"%1\" is not the address of a Wi-Fi relay, "
                           "while the turnstile is set to one (TIPO_ROLETA \"R\", USB_LPT not "
                           "\"Sim\", ENDERECO_LPT empty)")
                .arg(address),
            QStringLiteral("set CatracaWireless to the relay's address on the club's network, "
                           "such as 192.168.0.50 or 192.168.0.50:8080"));
        return;
    }
    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port(80)));
    if (!socket.waitForConnected(hardware::WifiRelay::kTimeoutMilliseconds)) {
        report.problem(QStringLiteral("the Wi-Fi relay at %1 (Sacvar2.CatracaWireless) cannot be "
                                      "reached: %2")
                           .arg(address, socket.errorString()),
                       QStringLiteral("check that the relay is powered and on the club's network "
                                      "and that this PC reaches it (`ping %1`); the terminal "
                                      "shows \"Catraca desligada ou problema no Roteador!\" "
                                      "meanwhile")
                           .arg(url.host()));
        return;
    }
    socket.abort();
    report.fact(QStringLiteral("the Wi-Fi relay (Sacvar2.CatracaWireless): %1").arg(address));
}

void checkParallelPort(const QString& address, const store::LocalSettings& local,
                       const QString& iniFile, DoctorReport& report) {
    const QString key = store::portAddressKey(address);
    if (key.isEmpty()) {
        report.problem(QStringLiteral("Sacvar2.ENDERECO_LPT \"%1\" is not a port address in "
                                      "hexadecimal digits")
                           .arg(address),
                       QStringLiteral("set it to the parallel port's address, such as 378"));
        return;
    }
    const QString path = local.deviceForParallelAddress(key);
    if (path.isEmpty()) {
        report.problem(
            QStringLiteral("no device for the parallel port at address %1 "
                           "(Sacvar2.ENDERECO_LPT)")
                .arg(key),
            QStringLiteral("map it in %1, such as [ports] %2=/dev/parport1").arg(iniFile, key));
        return;
    }
    const bool raw = path == local.portOutputDevice;
    if (raw && geteuid() != 0) {
        report.problem(QStringLiteral("the parallel port at address %1 is written through %2, "
                                      "which only root may write")
                           .arg(key, path),
                       QStringLiteral("map the address to the parallel-port driver instead, such "
                                      "as [ports] %1=/dev/parport0 in %2, and add %3 to the "
                                      "group lp")
                           .arg(key, iniFile, userName()));
        return;
    }
    checkDeviceFile(
        {QStringLiteral("the parallel port at address %1 (Sacvar2.ENDERECO_LPT)").arg(key), path,
         QStringLiteral("[ports] %1=").arg(key), QStringLiteral("lp")},
        iniFile, report);
}

void checkTurnstile(const store::SettingsRow& sacvar, const store::SettingsRow& sacvar2,
                    const store::LocalSettings& local, const QString& iniFile,
                    DoctorReport& report) {
    const terminal::TurnstileSettings settings{
        sacvar.text(QStringLiteral("ROLETA")), sacvar.text(QStringLiteral("TIPO_ROLETA")),
        sacvar2.text(QStringLiteral("USB_LPT")), sacvar2.text(QStringLiteral("ENDERECO_LPT")),
        sacvar2.text(QStringLiteral("CatracaWireless"))};
    const auto choice = terminal::rules::chooseTurnstileOutput(settings);
    const auto* target = std::get_if<terminal::TurnstileTarget>(&choice);
    if (target == nullptr) {
        return; // no turnstile: the outcome is only held on screen
    }
    switch (target->kind) {
    case TurnstileOutputKind::SerialRts:
        checkDeviceFile(
            {QStringLiteral("the turnstile's serial port %1 (Sacvar.ROLETA)").arg(target->device),
             local.deviceForPort(target->device), QStringLiteral("[ports] %1=").arg(target->device),
             QStringLiteral("dialout")},
            iniFile, report);
        return;
    case TurnstileOutputKind::Converter:
        if (local.converterDevice == QLatin1String("simulated")) {
            report.fact(QStringLiteral("the USB-to-parallel converter: simulated"));
            return;
        }
        checkDeviceFile(
            {QStringLiteral("the USB-to-parallel converter %1 (Sacvar.ROLETA)").arg(target->device),
             local.deviceForConverter(target->device), QStringLiteral("[devices] converter="),
             QStringLiteral("lp")},
            iniFile, report);
        return;
    case TurnstileOutputKind::ParallelPort:
        checkParallelPort(target->portAddress, local, iniFile, report);
        return;
    case TurnstileOutputKind::WifiRelay:
        checkRelay(target->relayAddress, report);
        return;
    }
}

void checkFingerprintReader(const store::LocalSettings& local, DoctorReport& report) {
    const terminal::EngineStart engine = shell::programFingerprintEngine(local);
    if (!engine) {
        report.problem(
            QStringLiteral("the fingerprint library cannot start: %1").arg(engine.error().message),
            QStringLiteral("install libfprint-2-2, or set Sacvar2.LEITOR_BIOMETRICO "
                           "to \"Não\" when the terminal has no fingerprint reader"));
        return;
    }
    QStringList usable;
    QStringList imageless;
    for (const biometrics::ReaderInfo& reader : engine.value()->readers()) {
        (reader.givesImages ? usable : imageless)
            .append(QStringLiteral("%1 (%2)").arg(reader.name, reader.driver));
    }
    if (!usable.isEmpty()) {
        report.fact(QStringLiteral("fingerprint reader: %1").arg(usable.first()));
        return;
    }
    const QString fix =
        QStringLiteral(
            "plug in a reader the fingerprint library's uru4000 driver serves (U.are.U 4000, 4000B "
            "or 4500); `lsusb` should list it and `ls -l /dev/orvalen` shows it once the package's "
            "device rules have run; add %1 to the group plugdev when the terminal runs outside a "
            "desktop session; or set Sacvar2.LEITOR_BIOMETRICO to \"Não\"")
            .arg(userName());
    if (!imageless.isEmpty()) {
        report.problem(QStringLiteral("the fingerprint reader %1 does not hand over its images, "
                                      "which the terminal compares itself, while "
                                      "Sacvar2.LEITOR_BIOMETRICO is \"Sim\"")
                           .arg(imageless.join(QStringLiteral(", "))),
                       fix);
        return;
    }
    report.problem(QStringLiteral("no fingerprint reader is found, while "
                                  "Sacvar2.LEITOR_BIOMETRICO is \"Sim\""),
                   fix);
}

} // namespace

void checkDevices(const store::ClubConnection& club, const store::LocalSettings& local,
                  DoctorReport& report) {
    const auto sacvar = store::SettingsRow::load(club, QStringLiteral("Sacvar"));
    const auto sacvar2 = store::SettingsRow::load(club, QStringLiteral("Sacvar2"));
    if (!sacvar || !sacvar2) {
        return; // the settings checks have said why
    }
    const QString iniFile = local.filePath(QStringLiteral("terminal.ini"));
    checkReaderPort(sacvar.value(), local, iniFile, report);
    checkTurnstile(sacvar.value(), sacvar2.value(), local, iniFile, report);
    if (sacvar2->isSim(QStringLiteral("LEITOR_BIOMETRICO"))) {
        checkFingerprintReader(local, report);
    }
}

void checkAccessPointCodes(const store::ClubConnection& club, const store::LocalSettings& local,
                           DoctorReport& report) {
    const QString file = local.filePath(QLatin1String(activities::kAccessPointFileName));
    const auto pieces = activities::readAccessPointCodes(file, activities::kAccessPointSlots,
                                                         activities::EmptyFile::Keep);
    if (!pieces.ok()) {
        report.problem(pieces.error().message +
                           QStringLiteral(": the terminal lets no student in by activity "
                                          "(\"Sem Acesso a Atividade\") until it can read it"),
                       QStringLiteral("put back %1 as a text file the terminal's user can read "
                                      "(choose the activities again with \"Atividades\" in "
                                      "the main window's menu), or remove it to admit every "
                                      "activity")
                           .arg(file));
        return;
    }
    QStringList codes;
    for (const QString& piece : pieces.value()) {
        if (!piece.trimmed().isEmpty()) {
            codes.append(piece);
        }
    }
    if (codes.isEmpty()) {
        return; // no file: every activity is admitted
    }
    auto rows = club.execute(kActivityCodes.text(club.dialect()));
    if (!rows) {
        return; // the schema check has said why
    }
    QSet<QString> known;
    while (rows->next()) {
        known.insert(rows->value(0).toString());
    }
    bool allKnown = true;
    for (const QString& code : codes) {
        if (!known.contains(code)) {
            allKnown = false;
            report.problem(
                QStringLiteral("%1 admits the activity code \"%2\", which ATIVIDADES does not "
                               "list: no student holds it, so it lets nobody in")
                    .arg(file, code),
                QStringLiteral("choose this access point's activities again with \"Atividades\" in "
                               "the main window's menu, or delete %1 to admit every activity")
                    .arg(file));
        }
    }
    if (allKnown) {
        report.fact(QStringLiteral("%1: %2 activity codes, all in ATIVIDADES")
                        .arg(QLatin1String(activities::kAccessPointFileName))
                        .arg(codes.size()));
    }
}

} // namespace orvalen::tool
