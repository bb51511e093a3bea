#include "store/number_match.h"
#include "store/people_lookups.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QStringList texts(const std::vector<const char*>& list) {
    QStringList result;
    for (const char* t : list) {
        result << u(t);
    }
    return result;
}

TEST(SameNumberTextsTest, AllDigitNumbersMatchEveryZeroPaddedForm) {
    const std::pair<const char*, std::vector<const char*>> cases[] = {
        {"12345", {"12345", "012345", "0012345", "00012345", "000012345", "0000012345"}},
        {"0000012345", {"12345", "012345", "0012345", "00012345", "000012345", "0000012345"}},
        {"9999999999", {"9999999999"}},
        {"000",
         {"0", "00", "000", "0000", "00000", "000000", "0000000", "00000000", "000000000",
          "0000000000"}},
        {"12A45", {"12A45"}},
        {"", {""}},
        {"-12", {"-12"}},
    };
    for (const auto& [number, expected] : cases) {
        EXPECT_EQ(store::sameNumberTexts(u(number)), texts(expected)) << number;
    }
}

// The inactive check and the photo lookups the terminal runs, directly and through ODBC.
class PeopleLookupsTest : public ::testing::TestWithParam<Route> {
protected:
    PeopleLookupsTest() : db(GetParam()), lookups(db.connection()) {
        // Older rows were stored without the leading zeros, or with letters in the number.
        for (const char* m : {"0000012345", "77777", "12A45"}) {
            db.exec(u("INSERT INTO Alunos (Matricula) VALUES (:m)"), {{u(":m"), u(m)}});
        }
        for (const char* m : {"12345", "12A45"}) {
            db.exec(u("INSERT INTO FotosAlunos (MATRICULA, FOTO1) VALUES (:m, :f)"),
                    {{u(":m"), u(m)}, {u(":f"), QByteArray("\xFF\xD8jpeg", 6)}});
        }
        db.exec(u("INSERT INTO FotosFuncionarios (MATRICULA, FOTO1) VALUES ('12345678', :f)"),
                {{u(":f"), QByteArray("\xFF\xD8func", 6)}});
    }

    TestDatabase db;
    store::PeopleLookups lookups;
};

TEST_P(PeopleLookupsTest, NumbersEqualAsNumbersAreFoundAndLettersNeverFail) {
    struct Case {
        const char* number;
        bool onFile;
    };
    for (const Case& c : {Case{"0000012345", true},
                          {"12345", true},
                          {"0000077777", true},
                          {"12A45", true},
                          {"0000012A45", false},
                          {"777", false}}) {
        const auto found = lookups.studentOnFile(u(c.number));
        ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
        EXPECT_EQ(found.value(), c.onFile) << c.number;
    }

    const auto bare = lookups.studentPhoto(u("0000012345"));
    ASSERT_TRUE(bare.ok()) << bare.error().message.toStdString();
    EXPECT_TRUE(bare->found);
    EXPECT_EQ(bare->bytes, QByteArray("\xFF\xD8jpeg", 6));
    EXPECT_TRUE(lookups.studentPhoto(u("12A45"))->found);
    EXPECT_FALSE(lookups.studentPhoto(u("0000099999"))->found);

    const auto employee = lookups.employeePhoto(u("0012345678"));
    ASSERT_TRUE(employee.ok()) << employee.error().message.toStdString();
    EXPECT_EQ(employee->bytes, QByteArray("\xFF\xD8func", 6));
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, PeopleLookupsTest,
                         ::testing::Values(Route::Direct, Route::Odbc),
                         [](const auto& info) { return routeName(info.param).toStdString(); });

} // namespace
} // namespace orvalen::test
