#include "support/rule_dates.h"
#include "terminal/rules/booked_class.h"
#include "terminal/rules/class_timetable.h"
#include "terminal/rules/class_window.h"

#include <gtest/gtest.h>
#include <map>

namespace orvalen::terminal::rules {
namespace {

using test::t;

// 15/03/2021 is a Monday, 20/03/2021 a Saturday.
const QDate kMonday(2021, 3, 15);
const QDate kSaturday(2021, 3, 20);

struct WindowCase {
    const char* name;
    const char* start;
    const char* end;
    double entry;
    double exit;
    const char* now;
    bool inside;
};

class ClassWindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(ClassWindowTest, BothEndsInside) {
    const WindowCase& c = GetParam();
    const ClassHours hours{t(c.start), t(c.end), c.entry, c.exit};
    EXPECT_EQ(withinClassWindow(hours, t(c.now)), c.inside);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ClassWindowTest,
    ::testing::Values(
        WindowCase{"before_opening", "08:00:00", "09:00:00", 15, 10, "07:44:00", false},
        WindowCase{"second_before_opening", "08:00:00", "09:00:00", 15, 10, "07:44:59", false},
        WindowCase{"opening", "08:00:00", "09:00:00", 15, 10, "07:45:00", true},
        WindowCase{"closing", "08:00:00", "09:00:00", 15, 10, "09:10:00", true},
        WindowCase{"after_closing", "08:00:00", "09:00:00", 15, 10, "09:11:00", false},
        WindowCase{"ninety_minutes_early", "08:00:00", "09:00:00", 90, 0, "06:30:00", true},
        WindowCase{"ninety_one_minutes_early", "08:00:00", "09:00:00", 90, 0, "06:29:00", false},
        WindowCase{"empty_hours_are_midnight", "", "", 0, 0, "00:00:00", true},
        WindowCase{"fraction_cut_to_whole_minutes", "08:00:00", "09:00:00", 15.9, 0, "07:44:30",
                   false},
        WindowCase{"negative_counts_as_none", "08:00:00", "09:00:00", -30, -30, "09:00:00", true},
        WindowCase{"negative_does_not_shrink", "08:00:00", "09:00:00", -30, -30, "08:00:00", true},
        WindowCase{"day_or_more_opens_whole_morning", "08:00:00", "09:00:00", 5000, 0, "00:00:01",
                   true},
        WindowCase{"early_class_opens_at_midnight", "00:10:00", "01:00:00", 30, 0, "00:00:00",
                   true},
        WindowCase{"late_class_does_not_wrap", "23:00:00", "23:50:00", 0, 30, "00:05:00", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Empty hours count as 0:00 (above); hours stored as something that is no time of day
// open no window at all, not even at midnight.
TEST(ClassWindowTest, HoursThatAreNoTimeOpenNoWindow) {
    const ClassHours unreadable{QTime(), t("23:59:59"), 1439, 1439, true};
    for (const char* now : {"00:00:00", "12:00:00", "23:59:59"}) {
        EXPECT_FALSE(withinClassWindow(unreadable, t(now))) << now;
    }
}

TimetableClass morningClass(DayFlags days) {
    return {{t("08:00:00"), t("09:00:00"), 15, 10}, days};
}

const DayFlags kMondayOnly{true, false, false, false, false, false, false};
const DayFlags kSaturdayOnly{false, false, false, false, false, true, false};

struct TimetableCase {
    const char* name;
    ClassSlots classSlots;
    QDate date;
    const char* now;
    bool within;
};

class WeeklyTimetableTest : public ::testing::TestWithParam<TimetableCase> {};

TEST_P(WeeklyTimetableTest, SlotsDecide) {
    const std::map<QString, TimetableClass> timetable{
        {QStringLiteral("MUSC08"), morningClass(kMondayOnly)},
        {QStringLiteral("SAB08"), morningClass(kSaturdayOnly)},
        {QStringLiteral("NOITE"), {{t("19:00:00"), t("20:00:00"), 0, 0}, kMondayOnly}},
        {QStringLiteral("TODOS"), {{t("19:00:00"), t("20:00:00"), 0, 0}, DayFlags{}}},
    };
    const FindClass find = [&](const QString& code) -> std::optional<TimetableClass> {
        const auto it = timetable.find(code);
        if (it == timetable.end())
            return std::nullopt;
        return it->second;
    };
    const TimetableCase& c = GetParam();
    EXPECT_EQ(withinWeeklyTimetable(c.classSlots, find,
                                    [&](const TimetableClass& turma) {
                                        return runsOn(turma.days, c.date) &&
                                               withinClassWindow(turma.hours, t(c.now));
                                    }),
              c.within);
}

QString s(const char* code) {
    return QString::fromLatin1(code);
}

INSTANTIATE_TEST_SUITE_P(
    Timetable, WeeklyTimetableTest,
    ::testing::Values(
        TimetableCase{"all_slots_empty", {}, kMonday, "12:00:00", true},
        TimetableCase{"unknown_codes", {s("XX"), s("YY")}, kMonday, "12:00:00", true},
        TimetableCase{"in_hours_today", {s("MUSC08")}, kMonday, "07:45:00", true},
        TimetableCase{"out_of_hours_today", {s("MUSC08")}, kMonday, "09:11:00", false},
        TimetableCase{"day_flag_not_set", {s("MUSC08")}, kSaturday, "08:30:00", false},
        TimetableCase{"saturday_flag", {s("SAB08")}, kSaturday, "08:30:00", true},
        TimetableCase{
            "slot_a_out_slot_c_in", {s("MUSC08"), s(""), s("NOITE")}, kMonday, "19:30:00", true},
        TimetableCase{
            "slot_a_in_slot_c_out", {s("MUSC08"), s(""), s("NOITE")}, kMonday, "08:30:00", true},
        TimetableCase{"slot_f_alone",
                      {s(""), s(""), s(""), s(""), s(""), s("NOITE")},
                      kMonday,
                      "19:30:00",
                      true},
        TimetableCase{
            "unknown_after_out_of_hours", {s("MUSC08"), s("XX")}, kMonday, "12:00:00", false},
        TimetableCase{"class_without_days", {s("TODOS")}, kMonday, "19:30:00", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct BookingCase {
    const char* name;
    std::vector<Booking> bookings;
    const char* now;
    bool within;
    const char* decidingActivity;
};

class BookedClassTest : public ::testing::TestWithParam<BookingCase> {};

TEST_P(BookedClassTest, FirstBookingDecides) {
    const BookingCase& c = GetParam();
    const std::optional<Booking> first = firstBooking(c.bookings);
    EXPECT_EQ(first && withinClassWindow(first->hours, t(c.now)), c.within);
    EXPECT_EQ(first ? bookedActivityCode(*first) : QString(),
              QString::fromLatin1(c.decidingActivity));
}

Booking booking(const char* code, const char* activity, const char* start, const char* end) {
    return {s(code), s(activity), {t(start), t(end), 15, 10}};
}

INSTANTIATE_TEST_SUITE_P(
    Bookings, BookedClassTest,
    ::testing::Values(BookingCase{"no_booking", {}, "08:30:00", false, ""},
                      BookingCase{"booked_in_hours",
                                  {booking("A1", "05 SPINNING", "08:00:00", "09:00:00")},
                                  "09:10:00",
                                  true,
                                  "05"},
                      BookingCase{"booked_out_of_hours",
                                  {booking("A1", "05", "08:00:00", "09:00:00")},
                                  "07:44:00",
                                  false,
                                  "05"},
                      BookingCase{"earliest_booking_decides",
                                  {booking("B2", "07", "19:00:00", "20:00:00"),
                                   booking("A1", "05", "08:00:00", "09:00:00")},
                                  "19:30:00",
                                  false,
                                  "05"},
                      BookingCase{"same_start_lowest_code",
                                  {booking("B2", "07", "08:00:00", "09:00:00"),
                                   booking("A1", "05", "08:00:00", "09:00:00")},
                                  "08:30:00",
                                  true,
                                  "05"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BookedActivityTest, FirstBookingActivityMustBeTheStudents) {
    const std::vector<Booking> twoBookings{booking("B2", "07", "19:00:00", "20:00:00"),
                                           booking("A1", "05XX", "08:00:00", "09:00:00")};
    QStringList asked;
    const auto holds = [&](const QStringList& held) {
        return [&asked, held](const QString& code) {
            asked << code;
            return held.contains(code);
        };
    };
    EXPECT_TRUE(bookedActivityAllowed({}, holds({})));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(bookedActivityAllowed(twoBookings, holds({s("05")})));
    EXPECT_FALSE(bookedActivityAllowed(twoBookings, holds({s("07")})));
    EXPECT_EQ(asked, (QStringList{s("05"), s("05")}));
}

} // namespace
} // namespace orvalen::terminal::rules
