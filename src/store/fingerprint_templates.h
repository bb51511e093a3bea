#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QString>
#include <vector>

namespace orvalen::store::fingerprints {

// The fingerprint datasets of the terminal and the enrolment screen. The template texts
// are the readers' business; here they are only read and written, always bound.

// A stored fingerprint template and whose it is.
struct FingerTemplate {
    QString matricula;
    QString templateText;
};

// DigitalPersona templates of students and employees; an employee appears under "091"
// followed by characters 4 to 10 of the number.
Result<std::vector<FingerTemplate>> TBLDIGITALPERSONA(const ClubConnection& db);

// The rows that load the enrolment screen's index: active students whose DIGITAL is neither
// null nor empty, and employees whose DIGITAL is not null, in the order the database gives.
Result<std::vector<FingerTemplate>> studentDigitalTemplates(const ClubConnection& db);
Result<std::vector<FingerTemplate>> employeeDigitalTemplates(const ClubConnection& db);

// A digest of the rows one of the queries above returns, read without the templates: each
// row's key and the first kMarkedCharacters of its template, which hold the template's size
// and its first minutiae. It changes when a finger is enrolled, removed or replaced.
constexpr int kMarkedCharacters = 96;
Result<QByteArray> personaMarker(const ClubConnection& db);
Result<QByteArray> studentDigitalMarker(const ClubConnection& db);
Result<QByteArray> employeeDigitalMarker(const ClubConnection& db);

// The row an enrolled finger is written to.
struct FingerOwner {
    QString table; // "ALUNOSATIVOS" or "FUNCIONARIOS"
    QString matricula;
};

// The shared enrollment number after an enrolment names its owner: "091" followed by seven
// characters is an employee, whose number starts with the employee kind prefix ("00" gives
// "000", "91" gives "910") followed by those seven characters; any other number is an
// active student.
FingerOwner fingerOwnerOf(const QString& sharedNumber, const QString& employeeKindPrefix);

// Stores an enrolled finger: `digital` into DIGITAL of the owner's row, which must exist, and
// `digitalPersona` into Digital_Persona of the same person (Funcionarios, or the student's
// row of Alunos when the back office has one). Run it inside a write transaction.
Status QRYGRAVADIGITAL(const ClubConnection& db, const FingerOwner& owner, const QString& digital,
                       const QString& digitalPersona);

} // namespace orvalen::store::fingerprints
