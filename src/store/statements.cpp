#include "store/statements.h"

#include "store/db_values.h"
#include "store/number_match.h"

#include <QSqlQuery>

namespace orvalen::store {

namespace {

// Multi-line statements are sent with CR LF between their lines, as they always were.
QString lines(std::initializer_list<const char*> parts) {
    QStringList text;
    for (const char* part : parts) {
        text << QLatin1String(part);
    }
    return text.join(QStringLiteral("\r\n"));
}

Result<Rows> byNumber(const ClubConnection& db, const char* head, const char* column,
                      const QString& number) {
    const NumberCondition condition = sameNumberCondition(QLatin1String(column), number);
    return db.fetchAll(QLatin1String(head) + condition.sql, condition.bindings);
}

Status statusOf(const Result<QSqlQuery>& query) {
    return query.ok() ? Status::success() : Status(query.error());
}

Result<std::vector<FingerTemplate>> templatesOf(const ClubConnection& db, const QString& sql) {
    auto rows = db.fetchAll(sql, {});
    if (!rows.ok()) {
        return rows.error();
    }
    std::vector<FingerTemplate> templates;
    for (const QSqlRecord& row : rows.value()) {
        templates.push_back({row.value(0).toString(), row.value(1).toString()});
    }
    return templates;
}

} // namespace

Result<std::vector<ReceiptMonth>> QRYDATA_VENCIMENTO(const ClubConnection& db,
                                                     const QString& matricula) {
    static const QString sql = lines(
        {"SELECT MES, ANO", "FROM RECEB ", "WHERE MATRICULA = :MMATRICULA", "ORDER BY ANO,MES"});
    auto rows = db.fetchAll(sql, {{QStringLiteral(":MMATRICULA"), matricula}});
    if (!rows.ok()) {
        return rows.error();
    }
    std::vector<ReceiptMonth> months;
    for (const QSqlRecord& row : rows.value()) {
        months.push_back({row.value(0).toString(), row.value(1).toString()});
    }
    return months;
}

Result<Rows> SEEKRECEB(const ClubConnection& db, const QString& matricula, const QString& mes,
                       const QString& ano) {
    return db.fetchAll(
        QStringLiteral("SELECT * FROM RECEB WHERE (MATRICULA = :MATRICULA) AND (MES = :MES) "
                       "AND (ANO = :ANO)"),
        {{QStringLiteral(":MATRICULA"), matricula},
         {QStringLiteral(":MES"), mes},
         {QStringLiteral(":ANO"), ano}});
}

Result<Rows> QRYACESSODIAGYMPASS(const ClubConnection& db, const QDate& businessDate,
                                 const QString& matricula) {
    return db.fetchAll(QStringLiteral("Select * from LiberaGympass Where (DATA = :JDATA ) and "
                                      "(MATRICULA = :JMATRICULA)"),
                       {{QStringLiteral(":JDATA"), dateValue(db.dialect(), businessDate)},
                        {QStringLiteral(":JMATRICULA"), matricula}});
}

Status QRYACESSODIAGYMPASS_DELETE(const ClubConnection& db, const QString& matricula) {
    return statusOf(
        db.execute(QStringLiteral("DELETE from LiberaGympass Where (MATRICULA = :JMATRICULA)"),
                   {{QStringLiteral(":JMATRICULA"), matricula}}));
}

Result<int> TBLACESSODIASEEK(const ClubConnection& db, const QString& matricula) {
    auto rows = db.fetchAll(QStringLiteral("Select count(matricula) as Total from AcessoDia WHERE "
                                           "(STATUS = 'L') AND (MATRICULA = :MATRICULA)"),
                            {{QStringLiteral(":MATRICULA"), matricula}});
    if (!rows.ok()) {
        return rows.error();
    }
    return rows->empty() ? 0 : rows->front().value(QStringLiteral("Total")).toInt();
}

Result<Rows> TBLalunosInativosSEEK(const ClubConnection& db, const QString& number) {
    return byNumber(db, "Select * from Alunos where ", "matricula", number);
}

Result<Rows> TblFotosAlunosSEEK(const ClubConnection& db, const QString& number) {
    return byNumber(db, "SELECT * FROM FotosAlunos WHERE ", "MATRICULA", number);
}

Result<Rows> TblFotosFuncionariosSEEK(const ClubConnection& db, const QString& number) {
    return byNumber(db, "SELECT * FROM FotosFuncionarios WHERE ", "MATRICULA", number);
}

Result<Rows> TBLalunosAtivosSEEK(const ClubConnection& db, const QString& number) {
    return byNumber(db, "Select * from AlunosAtivos where ", "matricula", number);
}

Result<Rows> QRYTOLERANCIAENTRADA(const ClubConnection& db, const QString& matricula,
                                  const QDate& businessDate) {
    static const QString sql =
        lines({"SELECT HORA ", "FROM ACESSODIA ", "WHERE (MATRICULA = :JMATRICULA) ",
               " AND  (DATA      = :JDATA)      ", " AND  (STATUS    = 'L')         "});
    return db.fetchAll(sql, {{QStringLiteral(":JMATRICULA"), matricula},
                             {QStringLiteral(":JDATA"), dateValue(db.dialect(), businessDate)}});
}

Result<Rows> QRYATIVDADES(const ClubConnection& db, const QString& matricula,
                          const std::optional<QString>& codAtividade) {
    static const QString all =
        lines({"SELECT A.ATIVIDADE, B.DESCRICAO ", "FROM AlunosAtividades A, ATIVIDADES B ",
               "WHERE (A.MATRICULA = :JMATRICULA) ", " AND  (A.ATIVIDADE = B.CODIGO) "});
    static const QString one =
        lines({"SELECT A.ATIVIDADE, B.DESCRICAO ", "FROM AlunosAtividades A, ATIVIDADES B ",
               "WHERE (A.MATRICULA = :JMATRICULA) ", " AND  (A.ATIVIDADE = :JCodAtividade) ",
               " AND  (A.ATIVIDADE = B.CODIGO) "});
    Bindings bindings{{QStringLiteral(":JMATRICULA"), matricula}};
    if (codAtividade) {
        bindings.emplace_back(QStringLiteral(":JCodAtividade"), *codAtividade);
    }
    return db.fetchAll(codAtividade ? one : all, bindings);
}

Result<Rows> QRYPONTOACESSO(const ClubConnection& db, const QString& matricula,
                            const QString& atividade) {
    static const QString sql =
        lines({"SELECT * FROM ALUNOSATIVIDADES ",
               "WHERE MATRICULA = :MMATRICULA AND ATIVIDADE = :MMATIVIDADE"});
    return db.fetchAll(sql, {{QStringLiteral(":MMATRICULA"), matricula},
                             {QStringLiteral(":MMATIVIDADE"), atividade}});
}

Result<Rows> QRYAULA(const ClubConnection& db, const QString& matricula, const QDate& businessDate,
                     double cliente) {
    static const QString sql =
        lines({"SELECT A.MATRICULA, B.HORA_INICIAL, TOLERANCIA_ENTRADA, B.HORA_FINAL, "
               "B.TOLERANCIA_SAIDA, "
               "A.ATIVIDADE ",
               "From FrequenciaAula A, AulasColetivas B ",
               "WHERE A.MATRICULA = :JMATRICULA AND A.DATA = :JDATA AND A.CLIENTE = :JCLIENTE AND "
               "A.Codigo_Aula = B.Codigo AND B.Cliente = A.Cliente "});
    return db.fetchAll(sql, {{QStringLiteral(":JMATRICULA"), matricula},
                             {QStringLiteral(":JDATA"), dateValue(db.dialect(), businessDate)},
                             {QStringLiteral(":JCLIENTE"), cliente}});
}

Result<std::vector<FingerTemplate>> TBLDIGITALPERSONA(const ClubConnection& db) {
    const Dialect& d = db.dialect();
    const QString employeeKey =
        d.concat(QStringLiteral("'091'"), d.substring(QStringLiteral("matricula"), 4, 7));
    const QString sql =
        QStringLiteral(
            "select Matricula, Digital_Persona from alunos  where (Digital_Persona is not "
            "null or Digital_Persona = '')\r\nunion\r\nselect ") +
        employeeKey +
        QStringLiteral(", Digital_Persona from Funcionarios where (Digital_Persona is not null or "
                       "Digital_Persona = '')");
    return templatesOf(db, sql);
}

Result<std::vector<FingerTemplate>> TBLDIGITAL(const ClubConnection& db) {
    static const QString sql = lines({"select MATRICULA, DIGITAL  from AlunosAtivos ", "union",
                                      "select MATRICULA, DIGITAL  from Funcionarios "});
    return templatesOf(db, sql);
}

Status QRYGRAVADIGITAL(const ClubConnection& db, const QString& sharedNumber,
                       const QString& templateText) {
    const bool employee = sharedNumber.startsWith(QLatin1String("091"));
    const QString sql =
        employee ? QStringLiteral(
                       "UPDATE FUNCIONARIOS SET DIGITAL = :DIGITAL WHERE MATRICULA = :MATRICULA")
                 : QStringLiteral(
                       "UPDATE ALUNOSATIVOS SET   DIGITAL = :DIGITAL WHERE MATRICULA = :MATRICULA");
    const QString key = employee ? QStringLiteral("000") + sharedNumber.mid(3, 7) : sharedNumber;
    return statusOf(db.execute(
        sql, {{QStringLiteral(":DIGITAL"), templateText}, {QStringLiteral(":MATRICULA"), key}}));
}

} // namespace orvalen::store
