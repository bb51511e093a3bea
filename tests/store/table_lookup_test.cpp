#include "store/table_lookup.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

using namespace orvalen;
using test::Route;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

class TableLookupTest : public ::testing::TestWithParam<Route> {
protected:
    TableLookupTest() : db(GetParam()) {
        const std::pair<const char*, const char*> students[] = {{"0000012345", "MARIA DA SILVA"},
                                                                {"0000012346", "mariana souza"},
                                                                {"0000000007", "JOÃO 50% OFF"},
                                                                {"0000000008", "JOAO_B"},
                                                                {"0000000009", "JOAOXB"}};
        for (const auto& [m, nome] : students) {
            db.exec(u("INSERT INTO AlunosAtivos (MATRICULA, NOME) VALUES (:m, :n)"),
                    {{u(":m"), u(m)}, {u(":n"), u(nome)}});
        }
        for (const auto& [code, description] :
             {std::pair{"spin", "minúsculas"}, {"SPIN", "maiúsculas"}}) {
            db.exec(u("INSERT INTO Turma (CODIGO, DESCRICAO) VALUES (:c, :d)"),
                    {{u(":c"), u(code)}, {u(":d"), u(description)}});
        }
    }
    test::TestDatabase db;
};

TEST_P(TableLookupTest, ExactLocateCountsCaseAndBlanks) {
    struct Case {
        const char* table;
        const char* column;
        const char* value;
        const char* resultColumn;
        const char* expected; // nullptr: not found
    };
    const Case cases[] = {
        {"AlunosAtivos", "MATRICULA", "0000012345", "NOME", "MARIA DA SILVA"},
        {"AlunosAtivos", "MATRICULA", "12345", "NOME", nullptr},
        {"AlunosAtivos", "MATRICULA", "0000012345 ", "NOME", nullptr},
        {"Turma", "CODIGO", "SPIN", "DESCRICAO", "maiúsculas"},
        {"Turma", "CODIGO", "spin", "DESCRICAO", "minúsculas"},
        {"Turma", "CODIGO", "Spin", "DESCRICAO", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + c.value);
        const auto found = store::locateExact(db.connection(), u(c.table), u(c.column), u(c.value));
        ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
        ASSERT_EQ(found->has_value(), c.expected != nullptr);
        if (c.expected) {
            EXPECT_EQ((*found.value()).value(u(c.resultColumn)).toString(), u(c.expected));
        }
    }
}

TEST_P(TableLookupTest, PrefixLocateIgnoresCaseAndTakesWildcardsLiterally) {
    struct Case {
        const char* column;
        const char* prefix;
        const char* expectedMatricula; // nullptr: not found
    };
    const Case cases[] = {
        {"NOME", "mari", "0000012345"},
        {"NOME", "MARIAN", "0000012346"},
        {"NOME", "JOÃO 50%", "0000000007"},
        {"NOME", "JOAO_", "0000000008"},
        {"NOME", "JOAO%", nullptr},
        {"MATRICULA", "000000000", "0000000007"},
        {"NOME", "ZZ", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        const auto found =
            store::locatePrefix(db.connection(), u("AlunosAtivos"), u(c.column), u(c.prefix));
        ASSERT_TRUE(found.ok()) << found.error().message.toStdString();
        ASSERT_EQ(found->has_value(), c.expectedMatricula != nullptr);
        if (c.expectedMatricula) {
            EXPECT_EQ((*found.value()).value(u("MATRICULA")).toString(), u(c.expectedMatricula));
        }
    }
}

TEST_P(TableLookupTest, OrderedRowsComeInTheColumnsOrder) {
    const auto rows = store::orderedRows(db.connection(), u("AlunosAtivos"), u("MATRICULA"));
    ASSERT_TRUE(rows.ok()) << rows.error().message.toStdString();
    QStringList numbers;
    for (const QSqlRecord& row : rows.value()) {
        numbers << row.value(u("MATRICULA")).toString();
    }
    EXPECT_EQ(numbers, (QStringList{u("0000000007"), u("0000000008"), u("0000000009"),
                                    u("0000012345"), u("0000012346")}));
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, TableLookupTest, ::testing::Values(Route::Direct, Route::Odbc),
                         [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });

} // namespace
