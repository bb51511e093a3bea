#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QByteArray>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <stdexcept>

namespace orvalen::store {

// A number kept in a text setting that is not a decimal integer. It ends the operation
// that needed the number; the message names the column and the value.
class SettingError : public std::runtime_error {
public:
    explicit SettingError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// One of the two one-row settings tables (Sacvar, Sacvar2) as stored when the screen
// opened it. Values are read at the moment a rule needs them.
class SettingsRow {
public:
    SettingsRow() = default;
    SettingsRow(QString table, QSqlRecord record)
        : table_(std::move(table)), record_(std::move(record)) {}

    // Reads the first row of the table with every declared column.
    static Result<SettingsRow> load(const ClubConnection& connection, const QString& table);

    const QString& table() const { return table_; }
    bool isNull(const QString& column) const;
    QVariant value(const QString& column) const;
    QString text(const QString& column) const;
    QByteArray bytes(const QString& column) const;

    // Switches compare exactly, case and accents included: "sim" is not "Sim".
    bool is(const QString& column, const QString& word) const { return text(column) == word; }
    bool isSim(const QString& column) const { return is(column, QStringLiteral("Sim")); }
    bool isNao(const QString& column) const { return is(column, QStringLiteral("Não")); }

    // A decimal integer kept in a text column; throws SettingError otherwise.
    int number(const QString& column) const;
    // A numeric column (int16, int32, float); null reads as 0.
    double real(const QString& column) const;
    int integer(const QString& column) const;
    bool flag(const QString& column) const;

private:
    QString table_;
    QSqlRecord record_;
};

// The serial line parameters of the reader line, from Sacvar2.
struct SerialLineParameters {
    enum class Parity { None, Odd, Even };
    int baudRate = 1200;
    int dataBits = 8;
    int stopBits = 1;
    Parity parity = Parity::None;
};

SerialLineParameters serialLineParameters(const SettingsRow& sacvar2);

} // namespace orvalen::store
