#include "store/fingerprint_templates.h"
#include "store/table_write.h"
#include "support/qstring_printer.h"
#include "support/test_database.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace orvalen;
namespace fp = orvalen::store::fingerprints;
using test::Route;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QMap<QString, QString> byNumber(const store::Result<std::vector<fp::FingerTemplate>>& rows) {
    QMap<QString, QString> map;
    for (const auto& row : rows.value()) {
        map.insert(row.matricula, row.templateText);
    }
    return map;
}

class FingerprintTemplatesTest : public ::testing::TestWithParam<Route> {
protected:
    FingerprintTemplatesTest() : db(GetParam()) {
        db.exec(u("INSERT INTO AlunosAtivos (MATRICULA, NOME, DIGITAL) VALUES "
                  "('0000012345', 'Ana', NULL), ('0000099999', 'Bia', 'OLD'), "
                  "('0000077777', 'Caio', '')"));
        db.exec(u("INSERT INTO Alunos (Matricula, Digital_Persona) VALUES ('0000012345', NULL), "
                  "('0000099999', 'dp-bia')"));
        db.exec(u("INSERT INTO Funcionarios (MATRICULA, NOME, DIGITAL) VALUES "
                  "('0000004321', 'Duda', NULL), ('9100004321', 'Edu', NULL), "
                  "('0000000042', 'Fabi', 'EMP')"));
    }

    store::ClubConnection& connection() { return db.connection(); }

    // Writes as the enrolment does: in its own transaction; the failure's reason or nothing.
    QString write(const fp::FingerOwner& owner, const QString& digital,
                  const QString& persona = QStringLiteral("dp")) {
        const store::Status written = connection().inTransaction(
            [&] { return fp::QRYGRAVADIGITAL(connection(), owner, digital, persona); });
        return written.ok() ? QString() : written.error().message;
    }

    QString value(const char* sql) {
        auto rows = connection().fetchAll(u(sql));
        return rows.ok() && !rows->empty() ? rows->front().value(0).toString() : u("<none>");
    }

    test::TestDatabase db;
};

TEST(FingerOwnerTest, EmployeeKeyFollowsTheKindPrefix) {
    struct Case {
        const char* shared;
        const char* prefix;
        const char* table;
        const char* key;
    } cases[] = {
        {"0000012345", "", "ALUNOSATIVOS", "0000012345"},
        {"0000012345", "91", "ALUNOSATIVOS", "0000012345"},
        {"0910004321", "00", "FUNCIONARIOS", "0000004321"},
        {"0910004321", "91", "FUNCIONARIOS", "9100004321"},
        {"0910004321", "", "FUNCIONARIOS", "0000004321"},
    };
    for (const Case& c : cases) {
        const fp::FingerOwner owner = fp::fingerOwnerOf(u(c.shared), u(c.prefix));
        EXPECT_EQ(owner.table, u(c.table)) << c.shared << " " << c.prefix;
        EXPECT_EQ(owner.matricula, u(c.key)) << c.shared << " " << c.prefix;
    }
}

TEST_P(FingerprintTemplatesTest, StudentEnrolmentWritesBothColumnsBound) {
    const QString tricky = u("AQ'; DROP TABLE Funcionarios; --");
    EXPECT_EQ(write({u("ALUNOSATIVOS"), u("0000012345")}, tricky, u("0O1'")), QString());
    EXPECT_EQ(value("SELECT DIGITAL FROM AlunosAtivos WHERE MATRICULA = '0000012345'"), tricky);
    EXPECT_EQ(value("SELECT Digital_Persona FROM alunos WHERE Matricula = '0000012345'"),
              u("0O1'"));
    EXPECT_EQ(value("SELECT COUNT(*) FROM Funcionarios"), u("3"));
}

TEST_P(FingerprintTemplatesTest, EmployeeNumberedNinetyOneIsWrittenUnderItsOwnKey) {
    EXPECT_EQ(write(fp::fingerOwnerOf(u("0910004321"), u("91")), u("T91"), u("P91")), QString());
    EXPECT_EQ(value("SELECT DIGITAL FROM Funcionarios WHERE MATRICULA = '9100004321'"), u("T91"));
    EXPECT_EQ(value("SELECT Digital_Persona FROM Funcionarios WHERE MATRICULA = '9100004321'"),
              u("P91"));
    EXPECT_EQ(value("SELECT DIGITAL FROM Funcionarios WHERE MATRICULA = '0000004321'"), QString());

    EXPECT_EQ(write(fp::fingerOwnerOf(u("0910004321"), u("00")), u("T00")), QString());
    EXPECT_EQ(value("SELECT DIGITAL FROM Funcionarios WHERE MATRICULA = '0000004321'"), u("T00"));
}

TEST_P(FingerprintTemplatesTest, UpdateThatMatchesNoRowIsAFailureAndStoresNothing) {
    EXPECT_EQ(write({u("ALUNOSATIVOS"), u("0000055555")}, u("T")),
              u("no row of ALUNOSATIVOS has MATRICULA 0000055555"));
    EXPECT_EQ(write(fp::fingerOwnerOf(u("0910001111"), u("91")), u("T")),
              u("no row of FUNCIONARIOS has MATRICULA 9100001111"));
    EXPECT_EQ(value("SELECT COUNT(*) FROM AlunosAtivos WHERE DIGITAL = 'T'"), u("0"));
}

TEST_P(FingerprintTemplatesTest, StudentAbsentFromAlunosStillGetsDigital) {
    db.exec(u("INSERT INTO AlunosAtivos (MATRICULA, NOME) VALUES ('0000066666', 'Gil')"));
    EXPECT_EQ(write({u("ALUNOSATIVOS"), u("0000066666")}, u("G")), QString());
    EXPECT_EQ(value("SELECT DIGITAL FROM AlunosAtivos WHERE MATRICULA = '0000066666'"), u("G"));
}

TEST_P(FingerprintTemplatesTest, DatasetsListWhatTheReadersLoad) {
    const auto students = fp::studentDigitalTemplates(connection());
    ASSERT_TRUE(students.ok());
    EXPECT_EQ(byNumber(students).keys(), QStringList{u("0000099999")}) << "null and empty skipped";
    const auto employees = fp::employeeDigitalTemplates(connection());
    ASSERT_TRUE(employees.ok());
    EXPECT_EQ(byNumber(employees).keys(), QStringList{u("0000000042")});

    db.exec(
        u("UPDATE Funcionarios SET Digital_Persona = 'dp-duda' WHERE MATRICULA = '0000004321'"));
    const auto persona = fp::TBLDIGITALPERSONA(connection());
    ASSERT_TRUE(persona.ok()) << persona.error().message.toStdString();
    const QMap<QString, QString> expected{{u("0000099999"), u("dp-bia")},
                                          {u("0910004321"), u("dp-duda")}};
    EXPECT_EQ(byNumber(persona), expected);
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, FingerprintTemplatesTest,
                         ::testing::Values(Route::Direct, Route::Odbc), [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });

} // namespace
