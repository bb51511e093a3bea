#include "store/db_values.h"
#include "store/dialect.h"
#include "store/stored_date_time.h"
#include "support/time_zone.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

enum class Kind { Empty, Value, Unreadable };

struct Form {
    const char* name;
    QVariant stored;
    Kind kind;
    QDate date; // expected when kind is Value
    QTime time;
};

void PrintTo(const Form& form, std::ostream* os) {
    *os << form.name;
}

QVariant text(const char* value) {
    return QString::fromLatin1(value);
}

const QDate kHalloween(2026, 10, 31);
const QDate kZeroDate(1899, 12, 30);
// Midnight of this day did not exist in São Paulo: summer time began at 00:00.
const QDate kGapDay(2018, 11, 4);

// Every form the servers, drivers and back-office versions give, read the same in every
// zone the club may run in.
class StoredDateTimeTest : public ::testing::TestWithParam<Form> {};

TEST_P(StoredDateTimeTest, ReadsTheWallClockAsWrittenInEveryZone) {
    const Form& form = GetParam();
    for (const char* zone : kClubTimeZones) {
        SCOPED_TRACE(zone);
        const ScopedTimeZone inZone(zone);
        const store::StoredDateTime read = store::StoredDateTime::read(form.stored);
        EXPECT_EQ(read.isEmpty(), form.kind == Kind::Empty);
        EXPECT_EQ(read.hasValue(), form.kind == Kind::Value);
        EXPECT_EQ(read.isUnreadable(), form.kind == Kind::Unreadable);
        if (form.kind == Kind::Value) {
            EXPECT_EQ(read.date(), form.date);
            EXPECT_EQ(read.time(), form.time);
        } else {
            EXPECT_FALSE(read.date().isValid());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, StoredDateTimeTest,
    ::testing::Values(
        // Dates and date-times as SQL Server, FreeTDS and the SQLite files give them.
        Form{"embedded_form", text("2026-10-31 00:00:00.000"), Kind::Value, kHalloween, {0, 0}},
        Form{"datetime2_seven_digits",
             text("2026-10-31 00:00:00.0000000"),
             Kind::Value,
             kHalloween,
             {0, 0}},
        Form{"no_fraction", text("2026-10-31 14:05:09"), Kind::Value, kHalloween, {14, 5, 9}},
        Form{"smalldatetime_minutes", text("2026-10-31 00:00"), Kind::Value, kHalloween, {0, 0}},
        Form{"date_column", text("2026-10-31"), Kind::Value, kHalloween, {0, 0}},
        Form{"iso_t_and_z", text("2026-10-31T00:00:00.000Z"), Kind::Value, kHalloween, {0, 0}},
        Form{"offset_kept_as_written",
             text("2026-10-31 22:30:00+00:00"),
             Kind::Value,
             kHalloween,
             {22, 30}},
        Form{"negative_offset_no_shift",
             text("2026-10-31T23:15:00.5-03:00"),
             Kind::Value,
             kHalloween,
             {23, 15, 0, 500}},
        Form{"fraction_cut_not_rounded",
             text("2026-10-31 23:59:59.9999999"),
             Kind::Value,
             kHalloween,
             {23, 59, 59, 999}},
        Form{"brazilian_back_office", text("31/10/2026"), Kind::Value, kHalloween, {0, 0}},
        Form{"brazilian_with_time", text("31/10/2026 08:15:00"), Kind::Value, kHalloween, {8, 15}},
        Form{"brazilian_day_first", text("10/12/2026"), Kind::Value, {2026, 12, 10}, {0, 0}},
        Form{"server_text_style", text("Oct 31 2026 12:00AM"), Kind::Value, kHalloween, {0, 0}},
        Form{"tds_text_style",
             text("Oct 31 2026  1:30:15:500PM"),
             Kind::Value,
             kHalloween,
             {13, 30, 15, 500}},
        Form{"padded_with_blanks",
             text("  2026-10-31 00:00:00.000  "),
             Kind::Value,
             kHalloween,
             {0, 0}},
        Form{"driver_date_time",
             QVariant(QDateTime(kHalloween, QTime(7, 45))),
             Kind::Value,
             kHalloween,
             {7, 45}},
        Form{"driver_date", QVariant(kHalloween), Kind::Value, kHalloween, {0, 0}},
        // A midnight that did not exist in São Paulo is still that day's midnight.
        Form{"summer_time_gap_text", text("2018-11-04 00:00:00.000"), Kind::Value, kGapDay, {0, 0}},
        Form{"summer_time_gap_driver",
             QVariant(QDateTime(kGapDay, QTime(0, 0))),
             Kind::Value,
             kGapDay,
             {0, 0}},
        // Times of day: on the zero date, as the club database keeps them, or alone.
        Form{"time_on_zero_date", text("1899-12-30 10:00"), Kind::Value, kZeroDate, {10, 0}},
        Form{"time_alone", text("10:00:00"), Kind::Value, kZeroDate, {10, 0}},
        Form{"time_column_seven_digits", text("10:00:00.0000000"), Kind::Value, kZeroDate, {10, 0}},
        Form{"time_hours_minutes", text("7:30"), Kind::Value, kZeroDate, {7, 30}},
        Form{"driver_time", QVariant(QTime(19, 0)), Kind::Value, kZeroDate, {19, 0}},
        // Nothing stored.
        Form{"null", QVariant(), Kind::Empty, {}, {}},
        Form{"typed_null", QVariant(QMetaType::fromType<QDateTime>()), Kind::Empty, {}, {}},
        Form{"empty_text", text(""), Kind::Empty, {}, {}},
        Form{"blanks", text("   "), Kind::Empty, {}, {}},
        // Filled, but no date: never taken for empty.
        Form{"garbage", text("garbage"), Kind::Unreadable, {}, {}},
        Form{"zero_date_of_mysql", text("0000-00-00"), Kind::Unreadable, {}, {}},
        Form{"no_such_day", text("31/02/2026"), Kind::Unreadable, {}, {}},
        Form{"no_such_hour", text("2026-10-31 25:00"), Kind::Unreadable, {}, {}},
        Form{"day_count_as_text", text("46000"), Kind::Unreadable, {}, {}},
        Form{"day_count_as_number", QVariant(46000), Kind::Unreadable, {}, {}},
        Form{"thirteenth_hour_pm", text("Oct 31 2026 13:00PM"), Kind::Unreadable, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoredDateTime, UnreadableKeepsTheStoredTextForTheLog) {
    const store::StoredDateTime read = store::StoredDateTime::read(text("31-10-2026"));
    ASSERT_TRUE(read.isUnreadable());
    const QString line = store::unreadableDateMessage(QStringLiteral("Funcionarios.DATA_DEMISSAO"),
                                                      QStringLiteral("0000012345"), read);
    EXPECT_TRUE(line.contains(QStringLiteral("Funcionarios.DATA_DEMISSAO")));
    EXPECT_TRUE(line.contains(QStringLiteral("0000012345")));
    EXPECT_TRUE(line.contains(QStringLiteral("\"31-10-2026\"")));
}

// A business date whose midnight did not exist locally is written as that day, never NULL.
TEST(StoredDateTime, WrittenDateOfAGapDayIsThatDay) {
    const ScopedTimeZone inZone("America/Sao_Paulo");
    const store::Dialect sqlite(store::Dialect::Kind::Sqlite);
    EXPECT_EQ(store::dateValue(sqlite, kGapDay).toString(),
              QStringLiteral("2018-11-04 00:00:00.000"));
    const QVariant server =
        store::dateValue(store::Dialect(store::Dialect::Kind::SqlServer), kGapDay);
    EXPECT_EQ(server.toDateTime().date(), kGapDay);
    EXPECT_EQ(server.toDateTime().time(), QTime(0, 0));
}

} // namespace
} // namespace orvalen::test
