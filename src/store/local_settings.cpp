#include "store/local_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace orvalen::store {

namespace {

QString readKey(QSettings& ini, const char* key, const QString& fallback) {
    const QString value = ini.value(QLatin1String(key)).toString().trimmed();
    return value.isEmpty() ? fallback : value;
}

} // namespace

Result<LocalSettings> LocalSettings::load(const QString& folder) {
    LocalSettings settings;
    settings.folder = folder;
    const QString path = settings.filePath(QStringLiteral("terminal.ini"));
    const QFileInfo info(path);
    if (!info.exists()) {
        return settings;
    }
    if (!info.isReadable()) {
        return Error{QStringLiteral("cannot read the local settings file %1").arg(path)};
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

    ini.beginGroup(QStringLiteral("ports"));
    for (const QString& port : ini.childKeys()) {
        const QString device = ini.value(port).toString().trimmed();
        if (!device.isEmpty()) {
            // Port names come from the settings rows in whatever case the back office used.
            settings.ports.insert(port.trimmed().toUpper(), device);
        }
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

QString LocalSettings::filePath(const QString& name) const {
    return QDir(folder).filePath(name);
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
