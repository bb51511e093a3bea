#include "store/settings.h"

#include "store/db_values.h"
#include "store/schema.h"
#include "store/statement_catalogue.h"

#include <QSqlRecord>
#include <array>

namespace orvalen::store {

namespace {

// Every declared column is named, so a table that lacks one fails here rather than when a
// rule first reads it.
QString settingsText(const Table& declared, const QString& table) {
    return QStringLiteral("SELECT %1 FROM %2")
        .arg(declared.columnNames().join(QStringLiteral(", ")), table);
}

std::vector<CatalogueEntry> settingsEntries(const Dialect&) {
    std::vector<CatalogueEntry> entries;
    for (const char* table : {"Sacvar", "Sacvar2"}) {
        const QString name = QLatin1String(table);
        entries.push_back({QStringLiteral("settings %1").arg(name),
                           QStringLiteral("every screen and the doctor: the settings row"),
                           settingsText(*findTable(name), name)});
    }
    return entries;
}

const StatementFamily kSettings{&settingsEntries};

} // namespace

Result<SettingsRow> SettingsRow::load(const ClubConnection& connection, const QString& table) {
    const Table* declared = findTable(table);
    if (declared == nullptr) {
        return Error{QStringLiteral("%1 is not a settings table of the club database").arg(table)};
    }
    auto query = connection.execute(settingsText(*declared, table));
    if (!query.ok()) {
        return Error{QStringLiteral("cannot read %1: %2").arg(table, query.error().message)};
    }
    QSqlRecord record = query->record();
    if (query->next()) {
        record = query->record();
    } else {
        // No row: every value reads as null, so switches are off and numbers fail at use.
        record.clearValues();
    }
    return SettingsRow(table, record);
}

bool SettingsRow::isNull(const QString& column) const {
    return value(column).isNull();
}

QVariant SettingsRow::value(const QString& column) const {
    const int index = record_.indexOf(column);
    return index < 0 ? QVariant() : record_.value(index);
}

QString SettingsRow::text(const QString& column) const {
    return value(column).toString();
}

QByteArray SettingsRow::bytes(const QString& column) const {
    return value(column).toByteArray();
}

int SettingsRow::number(const QString& column) const {
    const QString stored = text(column);
    bool ok = false;
    // Blanks around the digits are tolerated; anything else that is not a decimal integer
    // (letters, a decimal point, nothing at all) is a broken setting.
    const int converted = stored.trimmed().toInt(&ok, 10);
    if (!ok) {
        throw SettingError(QStringLiteral("%1.%2 holds \"%3\", which is not a decimal integer")
                               .arg(table_, column, stored));
    }
    return converted;
}

double SettingsRow::real(const QString& column) const {
    return value(column).toDouble();
}

int SettingsRow::integer(const QString& column) const {
    return value(column).toInt();
}

bool SettingsRow::flag(const QString& column) const {
    return readBool(value(column));
}

namespace {

// The rates the reader line accepts as stored; 3600 has no line setting and opens at 2400.
constexpr std::array kAllowedBaudRates{1200,  2400,  4800,  9600,   14400,  19200,
                                       38400, 56000, 57600, 115200, 128000, 256000};

int baudRateFor(int stored) {
    if (stored == 3600) {
        return 2400;
    }
    for (int rate : kAllowedBaudRates) {
        if (rate == stored) {
            return rate;
        }
    }
    return 1200;
}

} // namespace

SerialLineParameters serialLineParameters(const SettingsRow& sacvar2) {
    SerialLineParameters line;
    line.baudRate = baudRateFor(sacvar2.integer(QStringLiteral("VELOCIDADE")));

    const int dataBits = sacvar2.number(QStringLiteral("DATABIT"));
    line.dataBits = (dataBits == 7 || dataBits == 8) ? dataBits : 8;

    line.stopBits = sacvar2.number(QStringLiteral("STOPBIT")) == 0 ? 2 : 1;

    // The club's words are kept as they are: "PAR" has always meant odd parity on this line.
    const QString parity = sacvar2.text(QStringLiteral("PARIDADE"));
    if (parity == QLatin1String("PAR")) {
        line.parity = SerialLineParameters::Parity::Odd;
    } else if (parity == QLatin1String("IMPAR")) {
        line.parity = SerialLineParameters::Parity::Even;
    } else {
        line.parity = SerialLineParameters::Parity::None;
    }
    return line;
}

} // namespace orvalen::store
