#include "store/settings.h"
#include "support/test_database.h"

#include <QSqlField>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace orvalen;
using store::SerialLineParameters;
using store::SettingError;
using store::SettingsRow;
using test::Route;

namespace {

class SettingsLoadTest : public ::testing::TestWithParam<Route> {};

TEST_P(SettingsLoadTest, ReadsTheFirstRowAndComparesSwitchesExactly) {
    test::TestDatabase db(GetParam());
    db.exec(
        QStringLiteral("INSERT INTO Sacvar (CLIENTE, ACESSO_DATA, ACESSO_HORA, MATRICULA_ACESSO, "
                       "ACESSO_TEMPO, ACESSO_PULSO, ULTIMO_DIA, LOGOACADEMIA1) "
                       "VALUES (:c, :d, :h, :m, :t, :p, :u, :logo)"),
        {{QStringLiteral(":c"), 7.0},
         {QStringLiteral(":d"), QStringLiteral("Sim")},
         {QStringLiteral(":h"), QStringLiteral("sim")},
         {QStringLiteral(":m"), QStringLiteral("Não")},
         {QStringLiteral(":t"), QStringLiteral("1500")},
         {QStringLiteral(":p"), QStringLiteral("12a")},
         {QStringLiteral(":u"), QVariant(QMetaType::fromType<QString>())},
         {QStringLiteral(":logo"), QByteArray("\xFF\xD8\xFF\x00jpeg", 8)}});
    db.exec(QStringLiteral("INSERT INTO Sacvar (CLIENTE, ACESSO_DATA) VALUES (8, 'Não')"));

    const auto row = SettingsRow::load(db.connection(), QStringLiteral("Sacvar"));
    ASSERT_TRUE(row.ok()) << row.error().message.toStdString();
    EXPECT_EQ(row->real(QStringLiteral("CLIENTE")), 7.0);
    EXPECT_TRUE(row->isSim(QStringLiteral("ACESSO_DATA")));
    EXPECT_FALSE(row->isSim(QStringLiteral("ACESSO_HORA"))) << "lower-case \"sim\" is off";
    EXPECT_TRUE(row->isNao(QStringLiteral("MATRICULA_ACESSO")));
    EXPECT_FALSE(row->isSim(QStringLiteral("ACESSO_MEDICA"))) << "null is off";
    EXPECT_EQ(row->number(QStringLiteral("ACESSO_TEMPO")), 1500);
    EXPECT_EQ(row->bytes(QStringLiteral("LOGOACADEMIA1")), QByteArray("\xFF\xD8\xFF\x00jpeg", 8));
    EXPECT_TRUE(row->isNull(QStringLiteral("ULTIMO_DIA")));
    try {
        row->number(QStringLiteral("ACESSO_PULSO"));
        FAIL() << "letters in a number setting must raise";
    } catch (const SettingError& error) {
        EXPECT_STREQ(error.what(),
                     "Sacvar.ACESSO_PULSO holds \"12a\", which is not a decimal integer");
    }
    EXPECT_THROW(row->number(QStringLiteral("ULTIMO_DIA")), SettingError);
}

TEST_P(SettingsLoadTest, EmptyTableReadsAsNullsAndMissingColumnFails) {
    test::TestDatabase db(GetParam());
    const auto empty = SettingsRow::load(db.connection(), QStringLiteral("Sacvar2"));
    ASSERT_TRUE(empty.ok()) << empty.error().message.toStdString();
    EXPECT_FALSE(empty->isSim(QStringLiteral("LEITOR_BIOMETRICO")));
    EXPECT_TRUE(empty->isNull(QStringLiteral("QTD_ACESSO")));

    db.exec(QStringLiteral("ALTER TABLE Sacvar2 DROP COLUMN LINK_BIOMETRIA"));
    const auto broken = SettingsRow::load(db.connection(), QStringLiteral("Sacvar2"));
    ASSERT_FALSE(broken.ok());
    EXPECT_TRUE(broken.error().message.contains(QStringLiteral("Sacvar2")));
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, SettingsLoadTest,
                         ::testing::Values(Route::Direct, Route::Odbc), [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });

SettingsRow sacvar2(const QVariant& speed, const QString& dataBits, const QString& stopBits,
                    const QString& parity) {
    QSqlRecord record;
    const std::pair<const char*, QVariant> values[] = {
        {"VELOCIDADE", speed}, {"DATABIT", dataBits}, {"STOPBIT", stopBits}, {"PARIDADE", parity}};
    for (const auto& [name, value] : values) {
        QSqlField field(QLatin1String(name), value.metaType());
        field.setValue(value);
        record.append(field);
    }
    return SettingsRow(QStringLiteral("Sacvar2"), record);
}

TEST(SerialLineParametersTest, MapsTheStoredWordsToTheLine) {
    using P = SerialLineParameters::Parity;
    struct Case {
        QVariant speed;
        const char* dataBits;
        const char* stopBits;
        const char* parity;
        int baud;
        int bits;
        int stops;
        P expectedParity;
    };
    const Case cases[] = {
        {9600, "8", "1", "NADA", 9600, 8, 1, P::None},
        {3600, "7", "0", "PAR", 2400, 7, 2, P::Odd},
        {300, "8", "1", "IMPAR", 1200, 8, 1, P::Even},
        {115200, "6", "2", "par", 115200, 8, 1, P::None},
        {256000, "9", "5", "", 256000, 8, 1, P::None},
        {QVariant(QMetaType::fromType<int>()), " 7", "0", "IMPAR", 1200, 7, 2, P::Even},
        {56000, "7", "1", "XYZ", 56000, 7, 1, P::None},
    };
    for (const Case& c : cases) {
        const auto line = store::serialLineParameters(sacvar2(c.speed, QLatin1String(c.dataBits),
                                                              QLatin1String(c.stopBits),
                                                              QLatin1String(c.parity)));
        SCOPED_TRACE(c.speed.toString().toStdString() + " " + c.dataBits + " " + c.stopBits + " " +
                     c.parity);
        EXPECT_EQ(line.baudRate, c.baud);
        EXPECT_EQ(line.dataBits, c.bits);
        EXPECT_EQ(line.stopBits, c.stops);
        EXPECT_EQ(line.parity, c.expectedParity);
    }
}

TEST(SerialLineParametersTest, NonNumericBitsRaiseNamingTheColumn) {
    struct Case {
        const char* dataBits;
        const char* stopBits;
        const char* column;
    };
    const Case cases[] = {
        {"x", "1", "Sacvar2.DATABIT"}, {"", "1", "Sacvar2.DATABIT"}, {"8", "U", "Sacvar2.STOPBIT"}};
    for (const Case& c : cases) {
        try {
            store::serialLineParameters(sacvar2(9600, QLatin1String(c.dataBits),
                                                QLatin1String(c.stopBits), QStringLiteral("NADA")));
            ADD_FAILURE() << "no error for " << c.dataBits << "/" << c.stopBits;
        } catch (const SettingError& error) {
            EXPECT_NE(std::string(error.what()).find(c.column), std::string::npos) << error.what();
        }
    }
}

} // namespace
