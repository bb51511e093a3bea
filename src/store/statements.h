#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QDate>
#include <QSqlRecord>
#include <QString>
#include <optional>
#include <vector>

namespace orvalen::store {

// The statements the screens send, one function per dataset, named after it. The text
// is the one the club database has always received, with every value bound.

// A paid month of RECEB, as text.
struct ReceiptMonth {
    QString mes; // two digits
    QString ano; // four digits
};

// A stored fingerprint template and whose it is.
struct FingerTemplate {
    QString matricula;
    QString templateText;
};

// RECEB months of a student, ordered by the texts ANO then MES.
Result<std::vector<ReceiptMonth>> QRYDATA_VENCIMENTO(const ClubConnection& db,
                                                     const QString& matricula);

// The receipt of one month (all columns).
Result<Rows> SEEKRECEB(const ClubConnection& db, const QString& matricula, const QString& mes,
                       const QString& ano);

// Gympass release rows of a student for the business date (all columns).
Result<Rows> QRYACESSODIAGYMPASS(const ClubConnection& db, const QDate& businessDate,
                                 const QString& matricula);
// Deletes every Gympass release row of a student; run it inside a write transaction.
Status QRYACESSODIAGYMPASS_DELETE(const ClubConnection& db, const QString& matricula);

// Granted accesses (STATUS "L") of a number in AcessoDia.
Result<int> TBLACESSODIASEEK(const ClubConnection& db, const QString& matricula);

// Lookups by number that match the same number with or without leading zeros (see
// number_match.h); all columns.
Result<Rows> TBLalunosInativosSEEK(const ClubConnection& db, const QString& number);
Result<Rows> TblFotosAlunosSEEK(const ClubConnection& db, const QString& number);
Result<Rows> TblFotosFuncionariosSEEK(const ClubConnection& db, const QString& number);
Result<Rows> TBLalunosAtivosSEEK(const ClubConnection& db, const QString& number);

// HORA of the granted AcessoDia rows of a student on the business date.
Result<Rows> QRYTOLERANCIAENTRADA(const ClubConnection& db, const QString& matricula,
                                  const QDate& businessDate);

// ATIVIDADE and DESCRICAO of a student's activities, or of the one activity given.
Result<Rows> QRYATIVDADES(const ClubConnection& db, const QString& matricula,
                          const std::optional<QString>& codAtividade = std::nullopt);

// The student's ALUNOSATIVIDADES rows for one activity (all columns).
Result<Rows> QRYPONTOACESSO(const ClubConnection& db, const QString& matricula,
                            const QString& atividade);

// The student's booked classes on the business date at this club (Sacvar.CLIENTE):
// MATRICULA, HORA_INICIAL, TOLERANCIA_ENTRADA, HORA_FINAL, TOLERANCIA_SAIDA, ATIVIDADE.
Result<Rows> QRYAULA(const ClubConnection& db, const QString& matricula, const QDate& businessDate,
                     double cliente);

// DigitalPersona templates of students and employees; an employee appears under "091"
// followed by characters 4 to 10 of the number.
Result<std::vector<FingerTemplate>> TBLDIGITALPERSONA(const ClubConnection& db);

// DIGITAL templates of active students and employees (enrolment screen).
Result<std::vector<FingerTemplate>> TBLDIGITAL(const ClubConnection& db);

// Stores an enrolled template: a number beginning with "091" is the employee whose number
// is "000" followed by its characters 4 to 10, any other number an active student. Run it
// inside a write transaction.
Status QRYGRAVADIGITAL(const ClubConnection& db, const QString& sharedNumber,
                       const QString& templateText);

} // namespace orvalen::store
