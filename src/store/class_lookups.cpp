#include "store/class_lookups.h"

#include "store/db_values.h"
#include "store/statement_catalogue.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace orvalen::store {

namespace {

QString s(const char* text) {
    return QString::fromLatin1(text);
}

const Statement kTurma{"TBLTURMAS class", "class rules: the weekly class a member is enrolled in",
                       "SELECT CODIGO, HORA_INICIAL, HORA_FINAL, TOLERANCIA_ENTRADA, "
                       "TOLERANCIA_SAIDA, SEG, TER, QUA, QUI, SEX, SAB, DOM FROM Turma "
                       "WHERE CODIGO = :CODIGO"};
const Statement kBookings{"QRYAULA", "class rules: a member's booked group classes of the day",
                          "SELECT A.MATRICULA, B.HORA_INICIAL, B.TOLERANCIA_ENTRADA, "
                          "B.HORA_FINAL, B.TOLERANCIA_SAIDA, A.ATIVIDADE, A.Codigo_Aula "
                          "FROM FrequenciaAula A, AulasColetivas B "
                          "WHERE A.MATRICULA = :JMATRICULA AND A.DATA = :JDATA AND "
                          "A.CLIENTE = :JCLIENTE AND A.Codigo_Aula = B.Codigo AND "
                          "B.Cliente = A.Cliente ORDER BY B.HORA_INICIAL, A.Codigo_Aula"};
const Statement kDescribedActivity{"QRYATIVDADES one activity",
                                   "access point rules: whether a member holds one activity",
                                   "SELECT A.ATIVIDADE, B.DESCRICAO FROM AlunosAtividades A, "
                                   "ATIVIDADES B WHERE (A.MATRICULA = :JMATRICULA) AND "
                                   "(A.ATIVIDADE = :JCodAtividade) AND (A.ATIVIDADE = B.CODIGO)"};
const Statement kActivityDescriptions{"QRYATIVDADES", "activities shown for a member",
                                      "SELECT A.ATIVIDADE, B.DESCRICAO FROM AlunosAtividades A, "
                                      "ATIVIDADES B WHERE (A.MATRICULA = :JMATRICULA) AND "
                                      "(A.ATIVIDADE = B.CODIGO) ORDER BY A.ATIVIDADE"};
const Statement kGrantedOn{"QRYTOLERANCIAENTRADA",
                           "class rules and re-entry: a member's grants of the business date",
                           "SELECT HORA, STATUS FROM ACESSODIA WHERE (MATRICULA = :JMATRICULA) "
                           "AND (DATA = :JDATA) AND (STATUS = 'L')"};
const Statement kHoldsActivity{"QRYPONTOACESSO",
                               "access point rules: whether a member holds the point's activity",
                               "SELECT * FROM ALUNOSATIVIDADES WHERE MATRICULA = :MMATRICULA "
                               "AND ATIVIDADE = :MMATIVIDADE"};

double minutes(const QVariant& value) {
    return value.isNull() ? 0.0 : value.toDouble();
}

// A class's start or end in any stored form; one that is no time of day is noted by its
// column and value.
QTime classTime(const QVariant& value, const char* column, QStringList& unreadable) {
    const StoredDateTime read = StoredDateTime::read(value);
    if (read.isUnreadable()) {
        unreadable << QStringLiteral("%1 \"%2\"").arg(QLatin1String(column), read.stored());
    }
    return read.time();
}

} // namespace

Result<bool> ClassLookups::any(const QString& sql, const Bindings& bindings) const {
    Result<QSqlQuery> query = connection_.execute(sql, bindings);
    if (!query)
        return query.error();
    return query->next();
}

Result<std::optional<TurmaRow>> ClassLookups::turma(const QString& code) const {
    Result<QSqlQuery> query =
        connection_.execute(kTurma.text(connection_.dialect()), {{s(":CODIGO"), code}});
    if (!query)
        return query.error();
    while (query->next()) {
        if (!sameKey(query->value(0).toString(), code))
            continue;
        TurmaRow row;
        row.codigo = code;
        row.horaInicial = classTime(query->value(1), "HORA_INICIAL", row.unreadable);
        row.horaFinal = classTime(query->value(2), "HORA_FINAL", row.unreadable);
        row.toleranciaEntrada = minutes(query->value(3));
        row.toleranciaSaida = minutes(query->value(4));
        for (int day = 0; day < 7; ++day)
            row.days[static_cast<std::size_t>(day)] = readBool(query->value(5 + day));
        return std::optional<TurmaRow>(row);
    }
    return std::optional<TurmaRow>();
}

Result<std::vector<BookingRow>> ClassLookups::bookings(const QString& matricula, const QDate& date,
                                                       double cliente) const {
    Result<QSqlQuery> query =
        connection_.execute(kBookings.text(connection_.dialect()),
                            {{s(":JMATRICULA"), matricula},
                             {s(":JDATA"), dateValue(connection_.dialect(), date)},
                             {s(":JCLIENTE"), cliente}});
    if (!query)
        return query.error();
    std::vector<BookingRow> rows;
    while (query->next()) {
        BookingRow row;
        row.horaInicial = classTime(query->value(1), "HORA_INICIAL", row.unreadable);
        row.toleranciaEntrada = minutes(query->value(2));
        row.horaFinal = classTime(query->value(3), "HORA_FINAL", row.unreadable);
        row.toleranciaSaida = minutes(query->value(4));
        row.atividade = query->value(5).toString();
        row.codigoAula = query->value(6).toString();
        rows.push_back(row);
    }
    return rows;
}

Result<bool> ClassLookups::holdsDescribedActivity(const QString& matricula,
                                                  const QString& code) const {
    return any(kDescribedActivity.text(connection_.dialect()),
               {{s(":JMATRICULA"), matricula}, {s(":JCodAtividade"), code}});
}

Result<QStringList> ClassLookups::activityDescriptions(const QString& matricula) const {
    Result<QSqlQuery> query = connection_.execute(kActivityDescriptions.text(connection_.dialect()),
                                                  {{s(":JMATRICULA"), matricula}});
    if (!query)
        return query.error();
    QStringList descriptions;
    while (query->next())
        descriptions << query->value(1).toString();
    return descriptions;
}

Result<std::vector<DayAccessRow>> ClassLookups::grantedOn(const QString& matricula,
                                                          const QDate& date) const {
    Result<QSqlQuery> query = connection_.execute(
        kGrantedOn.text(connection_.dialect()),
        {{s(":JMATRICULA"), matricula}, {s(":JDATA"), dateValue(connection_.dialect(), date)}});
    if (!query)
        return query.error();
    std::vector<DayAccessRow> rows;
    while (query->next())
        rows.push_back({StoredDateTime::read(query->value(0)), query->value(1).toString()});
    return rows;
}

Result<bool> ClassLookups::holdsActivity(const QString& matricula, const QString& code) const {
    return any(kHoldsActivity.text(connection_.dialect()),
               {{s(":MMATRICULA"), matricula}, {s(":MMATIVIDADE"), code}});
}

} // namespace orvalen::store
