#include "store/local_settings.h"

#include "store/config_file.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <optional>

namespace orvalen::store {

namespace {

QString readKey(QSettings& ini, const char* key, const QString& fallback) {
    const QString value = ini.value(QLatin1String(key)).toString().trimmed();
    return value.isEmpty() ? fallback : value;
}

std::optional<bool> yesNo(const QString& value) {
    static const QStringList yes{QStringLiteral("yes"), QStringLiteral("true"), QStringLiteral("1"),
                                 QStringLiteral("on")};
    static const QStringList no{QStringLiteral("no"), QStringLiteral("false"), QStringLiteral("0"),
                                QStringLiteral("off")};
    if (yes.contains(value, Qt::CaseInsensitive)) {
        return true;
    }
    if (no.contains(value, Qt::CaseInsensitive)) {
        return false;
    }
    return std::nullopt;
}

QString defaultCopyPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("contingency-copy.db"));
}

// The [contingency] group. A value it cannot read leaves contingency off with the reason,
// and the rest of the file still applies: the door then works as it did before.
ContingencySettings readContingency(QSettings& ini, const QString& path, const QString& folder) {
    ContingencySettings contingency;
    contingency.copyPath = defaultCopyPath(folder);
    QStringList problems;
    auto value = [&](const QString& key) {
        return ini.value(QStringLiteral("contingency/") + key).toString().trimmed();
    };
    auto refuse = [&](const QString& key, const QString& text, const QString& wanted) {
        problems << QStringLiteral("the local settings file %1 gives \"%2\" as [contingency] %3; "
                                   "write %4")
                        .arg(path, text, key, wanted);
    };
    auto flag = [&](const QString& key, bool fallback) {
        const QString text = value(key);
        if (text.isEmpty()) {
            return fallback;
        }
        const std::optional<bool> read = yesNo(text);
        if (!read) {
            refuse(key, text, QStringLiteral("yes or no"));
        }
        return read.value_or(false);
    };
    auto count = [&](const QString& key, int fallback, int most, const QString& unit) {
        const QString text = value(key);
        if (text.isEmpty()) {
            return fallback;
        }
        bool ok = false;
        const int read = text.toInt(&ok);
        if (!ok || read < 1 || read > most) {
            refuse(key, text, QStringLiteral("whole %1 from 1 to %2").arg(unit).arg(most));
            return fallback;
        }
        return read;
    };
    contingency.enabled = flag(QStringLiteral("enabled"), false);
    contingency.photos = flag(QStringLiteral("photos"), true);
    contingency.refreshMinutes =
        count(QStringLiteral("refresh_minutes"), 5, 24 * 60, QStringLiteral("minutes"));
    contingency.maxAgeHours =
        count(QStringLiteral("max_age_hours"), 24, 30 * 24, QStringLiteral("hours"));
    if (const QString copy = value(QStringLiteral("copy")); !copy.isEmpty()) {
        contingency.copyPath = QDir(folder).absoluteFilePath(copy);
    }
    if (!problems.isEmpty()) {
        contingency.enabled = false;
        contingency.problem = problems.join(QStringLiteral("; "));
    }
    return contingency;
}

} // namespace

Result<LocalSettings> LocalSettings::load(const QString& folder) {
    LocalSettings settings;
    settings.folder = folder;
    const QString path = settings.filePath(QStringLiteral("terminal.ini"));
    // Read through the size and kind checks first: QSettings would wait on a FIFO for ever
    // and read a device without end.
    const auto bytes = readConfigFile(path, QStringLiteral("the local settings file"));
    if (!bytes.ok()) {
        return bytes.error();
    }
    if (!bytes->has_value()) {
        settings.contingency.copyPath = defaultCopyPath(folder);
        return settings;
    }
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        return Error{
            QStringLiteral("the local settings file %1 is not a valid settings file").arg(path)};
    }
    settings.odbcDriver = readKey(ini, "database/odbc_driver", settings.odbcDriver);
    settings.tdsVersion = readKey(ini, "database/tds_version", settings.tdsVersion);
    static const QRegularExpression version(QStringLiteral("^[4-8]\\.[0-9]$"));
    if (!version.match(settings.tdsVersion).hasMatch()) {
        return Error{QStringLiteral("the local settings file %1 gives \"%2\" as [database] "
                                    "tds_version; write a protocol version such as 7.4")
                         .arg(path, settings.tdsVersion)};
    }
    settings.portOutputDevice = readKey(ini, "devices/port_output", settings.portOutputDevice);
    settings.converterDevice = readKey(ini, "devices/converter", settings.converterDevice);
    settings.exceptionLogPath = readKey(ini, "log/path", settings.exceptionLogPath);
    const QString virtualReader = readKey(ini, "devices/fingerprint_virtual", QString());
    if (!virtualReader.isEmpty()) {
        settings.virtualFingerReader = settings.filePath(virtualReader);
    }

    settings.contingency = readContingency(ini, path, folder);

    ini.beginGroup(QStringLiteral("ports"));
    for (const QString& port : ini.childKeys()) {
        const QString device = ini.value(port).toString().trimmed();
        if (device.isEmpty()) {
            continue;
        }
        // Port names come from the settings rows in whatever case the back office used;
        // parallel addresses in whatever hexadecimal form the installer wrote.
        const QString address = portAddressKey(port);
        settings.ports.insert(address.isEmpty() ? port.trimmed().toUpper() : address, device);
    }
    ini.endGroup();
    return settings;
}

QString LocalSettings::deviceForPort(const QString& portName) const {
    const QString name = portName.trimmed().toUpper();
    const auto mapped = ports.constFind(name);
    if (mapped != ports.constEnd()) {
        return *mapped;
    }
    static const QRegularExpression comPort(QStringLiteral("^COM([1-9][0-9]*)$"));
    const QRegularExpressionMatch match = comPort.match(name);
    if (match.hasMatch()) {
        return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
    }
    // Not a COM name: taken as the device path itself.
    return portName.trimmed();
}

QString LocalSettings::deviceForParallelAddress(const QString& address) const {
    const QString key = portAddressKey(address);
    if (key.isEmpty()) {
        return {};
    }
    const QString mapped = ports.value(key);
    if (!mapped.isEmpty()) {
        return mapped;
    }
    // The first parallel port sits at 378 on practically every PC.
    return key == QLatin1String("378") ? QStringLiteral("/dev/parport0") : QString();
}

QString LocalSettings::deviceForConverter(const QString& name) const {
    return converterDevice.isEmpty() ? deviceForPort(name) : converterDevice;
}

QString LocalSettings::filePath(const QString& name) const {
    return QDir(folder).filePath(name);
}

QString portAddressKey(const QString& address) {
    QString digits = address.trimmed();
    if (digits.startsWith(QLatin1Char('$'))) {
        digits.remove(0, 1);
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits.remove(0, 2);
    }
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{1,8}$"));
    if (!hex.match(digits).hasMatch()) {
        return {};
    }
    return QString::number(digits.toUInt(nullptr, 16), 16).toUpper();
}

QString dataLinkFolder(const QStringList& arguments) {
    static const QString option = QStringLiteral("--datalink-dir");
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == option && i + 1 < arguments.size()) {
            return arguments.at(i + 1);
        }
        if (argument.startsWith(option + QLatin1Char('='))) {
            return argument.mid(option.size() + 1);
        }
    }
    const QString fromEnvironment = qEnvironmentVariable("ORVALEN_DATALINK_DIR");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    return QStringLiteral("/etc/orvalen");
}

} // namespace orvalen::store
