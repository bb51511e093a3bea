#include "store/db_values.h"
#include "store/number_match.h"
#include "store/statements.h"
#include "store/table_write.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

using namespace orvalen;
using test::Route;

namespace {

const QDate kToday(2026, 12, 9);

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

QStringList column(const store::Rows& rows, const char* name) {
    QStringList values;
    for (const QSqlRecord& row : rows) {
        values << row.value(QLatin1String(name)).toString();
    }
    return values;
}

class StatementsTest : public ::testing::TestWithParam<Route> {
protected:
    StatementsTest() : db(GetParam()) {
        const auto day = [this](const QDate& d) { return store::dateValue(dialect(), d); };
        const auto time = [this](int h, int m) {
            return store::timeOfDayValue(dialect(), QTime(h, m));
        };
        for (const char* m : {"0000012345", "12A45", "0000099999"}) {
            insert("INSERT INTO AlunosAtivos (MATRICULA, NOME, DIGITAL) VALUES (:m, 'Aluno', :d)",
                   {{":m", u(m)}, {":d", u(m)}});
            insert("INSERT INTO Alunos (Matricula, Digital_Persona) VALUES (:m, :d)",
                   {{":m", u(m)}, {":d", QString(QStringLiteral("dp-") + u(m))}});
        }
        // Older photos were stored without the leading zeros.
        for (const char* m : {"12345", "12A45"}) {
            insert("INSERT INTO FotosAlunos (MATRICULA, FOTO1) VALUES (:m, :f)",
                   {{":m", u(m)}, {":f", QByteArray("\xFF\xD8jpeg", 6)}});
        }
        insert("INSERT INTO Funcionarios (MATRICULA, NOME, Digital_Persona, DIGITAL) "
               "VALUES ('0012345678', 'Func', 'dp-func', 'old')");
        insert("INSERT INTO Funcionarios (MATRICULA, NOME) VALUES ('0000000042', 'Outro')");
        insert("INSERT INTO FotosFuncionarios (MATRICULA) VALUES ('0012345678')");
        for (const auto& [mes, ano] : {std::pair{"11", "2026"}, {"12", "2025"}, {"01", "2026"}}) {
            insert("INSERT INTO RECEB (MATRICULA, MES, ANO) VALUES ('0000012345', :mes, :ano)",
                   {{":mes", u(mes)}, {":ano", u(ano)}});
        }
        for (const auto& [m, d] : {std::pair{"0000012345", kToday},
                                   {"0000012345", kToday.addDays(-1)},
                                   {"0000099999", kToday}}) {
            insert("INSERT INTO LiberaGympass (Matricula, Data, Operador) VALUES (:m, :d, '01')",
                   {{":m", u(m)}, {":d", day(d)}});
        }
        struct Access {
            const char* m;
            QDate d;
            int hour;
            const char* status;
        };
        for (const Access& a : {Access{"0000012345", kToday, 8, "L"},
                                {"0000012345", kToday, 10, "L"},
                                {"0000012345", kToday, 11, "S"},
                                {"0000012345", kToday.addDays(-1), 9, "L"},
                                {"0000099999", kToday, 9, "L"}}) {
            insert(
                "INSERT INTO AcessoDia (MATRICULA, DATA, HORA, STATUS) VALUES (:m, :d, :h, :s)",
                {{":m", u(a.m)}, {":d", day(a.d)}, {":h", time(a.hour, 0)}, {":s", u(a.status)}});
        }
        insert("INSERT INTO ATIVIDADES (CODIGO, DESCRICAO) VALUES ('01', 'MUSCULACAO')");
        insert("INSERT INTO ATIVIDADES (CODIGO, DESCRICAO) VALUES ('02', 'NATACAO')");
        insert("INSERT INTO ALUNOSATIVIDADES (MATRICULA, ATIVIDADE) VALUES ('0000012345', '01')");
        insert("INSERT INTO ALUNOSATIVIDADES (MATRICULA, ATIVIDADE) VALUES ('0000012345', '02')");
        insert("INSERT INTO AulasColetivas (Codigo, Cliente, HORA_INICIAL, TOLERANCIA_ENTRADA, "
               "HORA_FINAL, TOLERANCIA_SAIDA) VALUES (7, 3, :i, 10, :f, 5)",
               {{":i", time(18, 0)}, {":f", time(19, 0)}});
        insert("INSERT INTO FrequenciaAula (MATRICULA, DATA, CLIENTE, Codigo_Aula, ATIVIDADE) "
               "VALUES ('0000012345', :d, 3, 7, 'SPINNING')",
               {{":d", day(kToday)}});
    }

    void insert(const char* sql,
                std::initializer_list<std::pair<const char*, QVariant>> values = {}) {
        store::Bindings bindings;
        for (const auto& [name, value] : values) {
            bindings.emplace_back(QLatin1String(name), value);
        }
        db.exec(QLatin1String(sql), bindings);
    }
    const store::Dialect& dialect() { return db.connection().dialect(); }
    const store::ClubConnection& connection() { return db.connection(); }

    test::TestDatabase db;
};

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

TEST_P(StatementsTest, LookupsByNumberMatchTheSameNumberAndNeverFailOnLetters) {
    using Lookup = store::Result<store::Rows> (*)(const store::ClubConnection&, const QString&);
    struct Case {
        const char* name;
        Lookup lookup;
        const char* number;
        std::vector<const char*> found;
    };
    const Case cases[] = {
        {"inactive check, padded", store::TBLalunosInativosSEEK, "0000012345", {"0000012345"}},
        {"inactive check, bare", store::TBLalunosInativosSEEK, "12345", {"0000012345"}},
        {"inactive check, letters", store::TBLalunosInativosSEEK, "12A45", {"12A45"}},
        {"inactive check, unknown", store::TBLalunosInativosSEEK, "777", {}},
        {"student photo stored bare", store::TblFotosAlunosSEEK, "0000012345", {"12345"}},
        {"student photo with letters", store::TblFotosAlunosSEEK, "12A45", {"12A45"}},
        {"employee photo", store::TblFotosFuncionariosSEEK, "12345678", {"0012345678"}},
        {"active student", store::TBLalunosAtivosSEEK, "99999", {"0000099999"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto rows = c.lookup(connection(), QLatin1String(c.number));
        ASSERT_TRUE(rows.ok()) << rows.error().message.toStdString();
        EXPECT_EQ(column(rows.value(), "MATRICULA"), texts(c.found));
    }
    const auto photo = store::TblFotosAlunosSEEK(connection(), QStringLiteral("12345"));
    ASSERT_TRUE(photo.ok() && photo->size() == 1);
    EXPECT_EQ(photo->front().value(QStringLiteral("FOTO1")).toByteArray(),
              QByteArray("\xFF\xD8jpeg", 6));
}

TEST_P(StatementsTest, BusinessDateStatementsMatchTheStoredDay) {
    const auto gympass =
        store::QRYACESSODIAGYMPASS(connection(), kToday, QStringLiteral("0000012345"));
    ASSERT_TRUE(gympass.ok()) << gympass.error().message.toStdString();
    ASSERT_EQ(gympass->size(), 1u);
    EXPECT_EQ(store::readDate(gympass->front().value(QStringLiteral("Data"))), kToday);

    const auto granted =
        store::QRYTOLERANCIAENTRADA(connection(), QStringLiteral("0000012345"), kToday);
    ASSERT_TRUE(granted.ok()) << granted.error().message.toStdString();
    ASSERT_EQ(granted->size(), 2u);
    EXPECT_EQ(store::readTime(granted->back().value(QStringLiteral("HORA"))), QTime(10, 0));

    const auto count = store::TBLACESSODIASEEK(connection(), QStringLiteral("0000012345"));
    ASSERT_TRUE(count.ok());
    EXPECT_EQ(count.value(), 3) << "granted rows of every day in AcessoDia";
    EXPECT_EQ(store::TBLACESSODIASEEK(connection(), QStringLiteral("12345")).value(), 0)
        << "this count compares the text exactly";

    struct Class {
        const char* matricula;
        QDate day;
        double cliente;
        qsizetype rows;
    };
    for (const Class& c : {Class{"0000012345", kToday, 3, 1},
                           {"0000012345", kToday, 4, 0},
                           {"0000012345", kToday.addDays(1), 3, 0},
                           {"0000099999", kToday, 3, 0}}) {
        const auto booked =
            store::QRYAULA(connection(), QLatin1String(c.matricula), c.day, c.cliente);
        ASSERT_TRUE(booked.ok()) << booked.error().message.toStdString();
        ASSERT_EQ(qsizetype(booked->size()), c.rows) << c.matricula << " " << c.cliente;
        if (c.rows == 1) {
            const QSqlRecord& row = booked->front();
            EXPECT_EQ(store::readTime(row.value(1)), QTime(18, 0));
            EXPECT_EQ(row.value(2).toDouble(), 10.0);
            EXPECT_EQ(row.value(5).toString(), QStringLiteral("SPINNING"));
        }
    }
}

TEST_P(StatementsTest, ReceiptsAndActivities) {
    const auto months = store::QRYDATA_VENCIMENTO(connection(), QStringLiteral("0000012345"));
    ASSERT_TRUE(months.ok()) << months.error().message.toStdString();
    QStringList ordered;
    for (const auto& m : months.value()) {
        ordered << m.ano + QLatin1Char('/') + m.mes;
    }
    EXPECT_EQ(ordered, texts({"2025/12", "2026/01", "2026/11"}));

    EXPECT_EQ(store::SEEKRECEB(connection(), QStringLiteral("0000012345"), QStringLiteral("01"),
                               QStringLiteral("2026"))
                  ->size(),
              1u);
    EXPECT_TRUE(store::SEEKRECEB(connection(), QStringLiteral("0000012345"), QStringLiteral("1"),
                                 QStringLiteral("2026"))
                    ->empty());

    const auto all = store::QRYATIVDADES(connection(), QStringLiteral("0000012345"));
    ASSERT_TRUE(all.ok()) << all.error().message.toStdString();
    EXPECT_EQ(column(all.value(), "DESCRICAO").size(), 2);
    const auto one =
        store::QRYATIVDADES(connection(), QStringLiteral("0000012345"), QStringLiteral("02"));
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(column(one.value(), "DESCRICAO"), texts({"NATACAO"}));

    EXPECT_EQ(
        store::QRYPONTOACESSO(connection(), QStringLiteral("0000012345"), QStringLiteral("01"))
            ->size(),
        1u);
    EXPECT_TRUE(
        store::QRYPONTOACESSO(connection(), QStringLiteral("0000099999"), QStringLiteral("01"))
            ->empty());
}

TEST_P(StatementsTest, FingerprintTemplatesAndTheirWrites) {
    const auto persona = store::TBLDIGITALPERSONA(connection());
    ASSERT_TRUE(persona.ok()) << persona.error().message.toStdString();
    QMap<QString, QString> byKey;
    for (const auto& t : persona.value()) {
        byKey.insert(t.matricula, t.templateText);
    }
    EXPECT_EQ(byKey.value(QStringLiteral("0912345678")), QStringLiteral("dp-func"));
    EXPECT_EQ(byKey.value(QStringLiteral("0000012345")), QStringLiteral("dp-0000012345"));
    EXPECT_EQ(byKey.size(), 4) << "three students and the one employee with a template";

    const auto written =
        store::writeToTable(connection(), QStringLiteral("AlunosAtivos/Funcionarios"), [&] {
            const store::Status student = store::QRYGRAVADIGITAL(
                connection(), QStringLiteral("0000012345"), QStringLiteral("it's new"));
            return student.ok() ? store::QRYGRAVADIGITAL(connection(), QStringLiteral("0910000042"),
                                                         QStringLiteral("emp"))
                                : student;
        });
    EXPECT_FALSE(written.has_value());
    const auto digital = store::TBLDIGITAL(connection());
    ASSERT_TRUE(digital.ok()) << digital.error().message.toStdString();
    QMap<QString, QString> stored;
    for (const auto& t : digital.value()) {
        stored.insert(t.matricula, t.templateText);
    }
    EXPECT_EQ(stored.value(QStringLiteral("0000012345")), QStringLiteral("it's new"));
    EXPECT_EQ(stored.value(QStringLiteral("0000000042")), QStringLiteral("emp"));
    EXPECT_EQ(stored.value(QStringLiteral("0012345678")), QStringLiteral("old"));
}

TEST_P(StatementsTest, GympassReleaseDeletionTakesEveryRowOfTheStudent) {
    const auto failure = store::writeToTable(connection(), QStringLiteral("LiberaGympass"), [&] {
        return store::QRYACESSODIAGYMPASS_DELETE(connection(), QStringLiteral("0000012345"));
    });
    EXPECT_FALSE(failure.has_value());
    EXPECT_TRUE(
        store::QRYACESSODIAGYMPASS(connection(), kToday, QStringLiteral("0000012345"))->empty());
    EXPECT_EQ(
        store::QRYACESSODIAGYMPASS(connection(), kToday, QStringLiteral("0000099999"))->size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(BothRoutes, StatementsTest, ::testing::Values(Route::Direct, Route::Odbc),
                         [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });

} // namespace
