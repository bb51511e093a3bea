#include "terminal/entry_classification.h"

#include <gtest/gtest.h>

namespace orvalen::terminal {
namespace {

struct Case {
    const char* typed;
    bool numberMode;
    bool birthDay;
    EntryKind kind;
    const char* number;
    const char* day;
};

TEST(EntryClassification, FormsOfTheEnrollmentNumber) {
    const Case cases[] = {
        {"12345", true, false, EntryKind::Student, "0000012345", ""},
        {"0012345", true, false, EntryKind::Employee, "0000012345", ""},
        {"9112345678", true, false, EntryKind::Employee, "9112345678", ""},
        {"0012345678", true, false, EntryKind::Student, "0012345678", ""},
        {"9999999999", true, false, EntryKind::Visitor, "", ""},
        {"0000999999", true, false, EntryKind::Visitor, "", ""},
        {"999999", true, false, EntryKind::Refused, "", ""},
        {"9999999", true, false, EntryKind::Student, "0009999999", ""},
        {"12 34", true, false, EntryKind::Student, "12 34", ""},
        {" 123 ", true, false, EntryKind::Student, "0000000123", ""},
        // Found by fuzzing: eleven digits came through whole.
        {"021001333345", true, false, EntryKind::Student, "2100133334", ""},
        {"MARIA DA SILVA", false, false, EntryKind::Student, "MARIA DA S", ""},
        {"0000054321", false, false, EntryKind::Student, "0000054321", ""},
        // A short "00" entry that is not a number names nobody.
        {"00 1", true, false, EntryKind::Refused, "", ""},
        {"00AB", false, false, EntryKind::Refused, "", ""},
        // Birth-day suffix.
        {"1234515", true, true, EntryKind::Student, "0000012345", "15"},
        {"9999999999", true, true, EntryKind::Visitor, "", ""},
        {"001234515", true, true, EntryKind::Employee, "0000012345", "15"},
        {"0000999999", true, true, EntryKind::Visitor, "", ""},
        {"99999915", true, true, EntryKind::Student, "0099999915", ""}, // holding "999999": not cut
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const BirthDaySplit split = cutBirthDay(QString::fromUtf8(c.typed), c.birthDay);
        ASSERT_FALSE(split.refused);
        EXPECT_EQ(split.day, QString::fromUtf8(c.day));
        const EntryClass entry = classifyEntry(split.rest, c.numberMode);
        EXPECT_EQ(entry.kind, c.kind);
        if (c.kind == EntryKind::Student || c.kind == EntryKind::Employee) {
            EXPECT_EQ(entry.number, QString::fromUtf8(c.number));
        }
    }
}

TEST(EntryClassification, BirthDaySuffixLeavingNothingIsRefused) {
    for (const char* typed : {"15", "5"}) {
        EXPECT_TRUE(cutBirthDay(QString::fromUtf8(typed), true).refused) << typed;
        EXPECT_FALSE(cutBirthDay(QString::fromUtf8(typed), false).refused) << typed;
    }
}

TEST(EntryClassification, WholeNumbers) {
    EXPECT_EQ(readWholeNumber(QStringLiteral(" 42 ")), 42);
    EXPECT_FALSE(readWholeNumber(QStringLiteral("4 2")).has_value());
    EXPECT_FALSE(readWholeNumber(QStringLiteral("")).has_value());
    EXPECT_EQ(tenDigits(42), QStringLiteral("0000000042"));
}

} // namespace
} // namespace orvalen::terminal
