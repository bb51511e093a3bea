#include "support/rule_dates.h"
#include "terminal/rules/employee_access.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

using test::d;
using test::rd;

TEST(EmployeeAccessTest, AllowedMonthAndDismissal) {
    const struct {
        const char* dismissed;
        const char* allowedMonth;
        const char* business;
        bool mayEnter;
    } cases[] = {
        {"", "03/2021", "31/03/2021", true},
        {"", "03/2021", "01/04/2021", false},
        {"", "03/2021", "15/12/2020", true},
        {"", "12/2020", "01/01/2021", false},
        {"", "", "01/04/2030", true},
        {"10/01/2021", "03/2021", "15/03/2021", false},
        {"10/01/2021", "", "15/03/2021", false},
        {"?", "", "15/03/2021", false}, // a dismissal date that is no date is still one
    };
    for (const auto& c : cases) {
        const auto result =
            employeeMayEnter(rd(c.dismissed), QString::fromLatin1(c.allowedMonth), d(c.business));
        ASSERT_TRUE(result.ok()) << c.allowedMonth;
        EXPECT_EQ(result.value(), c.mayEnter)
            << c.dismissed << " " << c.allowedMonth << " " << c.business;
    }
}

TEST(EmployeeAccessTest, UnreadableAllowedMonthIsAnErrorNamingIt) {
    for (const char* bad : {"13/2021", "março", "2021/03", "00/2021"}) {
        const auto result = withinAllowedMonth(QString::fromUtf8(bad), d("15/03/2021"));
        ASSERT_FALSE(result.ok()) << bad;
        EXPECT_TRUE(result.error().message.contains(QString::fromUtf8(bad)));
        EXPECT_TRUE(result.error().message.contains(QStringLiteral("ACESSOLIBERADO")));
    }
}

TEST(EmployeeAccessTest, FingerprintIdentity) {
    EXPECT_EQ(employeeFingerprintIdentity(QStringLiteral("0000012345")),
              QStringLiteral("0910012345"));
    EXPECT_EQ(employeeFingerprintIdentity(QStringLiteral("9100000077")),
              QStringLiteral("0910000077"));
}

} // namespace
} // namespace orvalen::terminal::rules
