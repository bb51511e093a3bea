#include "store/fingerprint_templates.h"

#include "store/statement_catalogue.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>

namespace orvalen::store::fingerprints {

namespace {

// The DigitalPersona rows of students and employees, with `column` made of Digital_Persona.
QString personaQuery(const Dialect& d, const QString& column) {
    const QString employeeKey =
        d.concat(QStringLiteral("'091'"), d.substring(QStringLiteral("matricula"), 4, 7));
    return QStringLiteral("select Matricula, ") + column +
           QStringLiteral(" from alunos  where (Digital_Persona is not "
                          "null or Digital_Persona = '')\r\nunion\r\nselect ") +
           employeeKey + QStringLiteral(", ") + column +
           QStringLiteral(" from Funcionarios where (Digital_Persona is not null or "
                          "Digital_Persona = '')");
}

QString studentDigitalQuery(const QString& column) {
    return QStringLiteral("SELECT MATRICULA, %1 FROM ALUNOSATIVOS").arg(column);
}

QString employeeDigitalQuery(const QString& column) {
    return QStringLiteral("SELECT MATRICULA, %1 FROM FUNCIONARIOS WHERE DIGITAL IS NOT NULL")
        .arg(column);
}

const Statement kPersona{
    "TBLDIGITALPERSONA", "fingerprint identification: every template",
    [](const Dialect& d) { return personaQuery(d, QStringLiteral("Digital_Persona")); }};
const Statement kStudentDigital{"TBLDIGITAL students", "fingerprint enrolment: students' templates",
                                "SELECT MATRICULA, DIGITAL FROM ALUNOSATIVOS"};
const Statement kEmployeeDigital{"TBLDIGITAL employees",
                                 "fingerprint enrolment: employees' templates",
                                 "SELECT MATRICULA, DIGITAL FROM FUNCIONARIOS WHERE DIGITAL IS "
                                 "NOT NULL"};
const Statement kWriteEmployee{"QRYGRAVADIGITAL employee", "fingerprint enrolment: an employee's",
                               "UPDATE FUNCIONARIOS SET DIGITAL = :DIGITAL, Digital_Persona = "
                               ":PERSONA WHERE MATRICULA = :MATRICULA"};
const Statement kWriteStudent{"QRYGRAVADIGITAL student", "fingerprint enrolment: a student's",
                              "UPDATE ALUNOSATIVOS SET   DIGITAL = :DIGITAL WHERE MATRICULA = "
                              ":MATRICULA"};
const Statement kWriteStudentPersona{"QRYGRAVADIGITAL student persona",
                                     "fingerprint enrolment: a student's, in Alunos",
                                     "UPDATE alunos SET Digital_Persona = :PERSONA WHERE "
                                     "Matricula = :MATRICULA"};

Result<std::vector<FingerTemplate>> templatesOf(const ClubConnection& db, const QString& sql) {
    auto rows = db.fetchAll(sql);
    if (!rows.ok()) {
        return rows.error();
    }
    std::vector<FingerTemplate> templates;
    templates.reserve(rows->size());
    for (const QSqlRecord& row : rows.value()) {
        templates.push_back({row.value(0).toString(), row.value(1).toString()});
    }
    return templates;
}

// An update that matched no row stored nothing: that is a failure, not a success.
Status updateOneRow(const ClubConnection& db, const QString& sql, const Bindings& bindings,
                    const QString& table, const QString& matricula) {
    auto query = db.execute(sql, bindings);
    if (!query.ok()) {
        return query.error();
    }
    if (query->numRowsAffected() < 1) {
        return Error{QStringLiteral("no row of %1 has MATRICULA %2").arg(table, matricula)};
    }
    return Status::success();
}

// The marked characters of a template column.
QString markedPart(const Dialect& d, const char* column) {
    return d.substring(QLatin1String(column), 1, kMarkedCharacters);
}

const Statement kPersonaMarker{
    "TBLDIGITALPERSONA marker", "fingerprint identification: whether a template changed",
    [](const Dialect& d) { return personaQuery(d, markedPart(d, "Digital_Persona")); }};
const Statement kStudentMarker{
    "TBLDIGITAL students marker",
    "fingerprint identification: whether a student's template changed",
    [](const Dialect& d) { return studentDigitalQuery(markedPart(d, "DIGITAL")); }};
const Statement kEmployeeMarker{
    "TBLDIGITAL employees marker",
    "fingerprint identification: whether an employee's template changed",
    [](const Dialect& d) { return employeeDigitalQuery(markedPart(d, "DIGITAL")); }};

Result<QByteArray> markerOf(const ClubConnection& db, const QString& sql) {
    auto rows = db.fetchAll(sql);
    if (!rows.ok()) {
        return rows.error();
    }
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (const QSqlRecord& row : rows.value()) {
        for (int i = 0; i < 2; ++i) {
            digest.addData(row.value(i).toString().toUtf8());
            digest.addData(QByteArrayView("\0", 1));
        }
    }
    return digest.result();
}

} // namespace

Result<std::vector<FingerTemplate>> TBLDIGITALPERSONA(const ClubConnection& db) {
    return templatesOf(db, kPersona.text(db.dialect()));
}

Result<QByteArray> personaMarker(const ClubConnection& db) {
    return markerOf(db, kPersonaMarker.text(db.dialect()));
}

Result<QByteArray> studentDigitalMarker(const ClubConnection& db) {
    return markerOf(db, kStudentMarker.text(db.dialect()));
}

Result<QByteArray> employeeDigitalMarker(const ClubConnection& db) {
    return markerOf(db, kEmployeeMarker.text(db.dialect()));
}

Result<std::vector<FingerTemplate>> studentDigitalTemplates(const ClubConnection& db) {
    auto all = templatesOf(db, kStudentDigital.text(db.dialect()));
    if (!all.ok()) {
        return all;
    }
    std::erase_if(all.value(), [](const FingerTemplate& t) { return t.templateText.isEmpty(); });
    return all;
}

Result<std::vector<FingerTemplate>> employeeDigitalTemplates(const ClubConnection& db) {
    return templatesOf(db, kEmployeeDigital.text(db.dialect()));
}

FingerOwner fingerOwnerOf(const QString& sharedNumber, const QString& employeeKindPrefix) {
    if (!sharedNumber.startsWith(QLatin1String("091"))) {
        return {QStringLiteral("ALUNOSATIVOS"), sharedNumber};
    }
    const QString head =
        employeeKindPrefix == QLatin1String("91") ? QStringLiteral("910") : QStringLiteral("000");
    return {QStringLiteral("FUNCIONARIOS"), head + sharedNumber.mid(3, 7)};
}

Status QRYGRAVADIGITAL(const ClubConnection& db, const FingerOwner& owner, const QString& digital,
                       const QString& digitalPersona) {
    const bool employee = owner.table == QLatin1String("FUNCIONARIOS");
    const Bindings bindings{{QStringLiteral(":DIGITAL"), digital},
                            {QStringLiteral(":MATRICULA"), owner.matricula}};
    if (employee) {
        return updateOneRow(
            db, kWriteEmployee.text(db.dialect()),
            {bindings[0], {QStringLiteral(":PERSONA"), digitalPersona}, bindings[1]}, owner.table,
            owner.matricula);
    }
    const Status written =
        updateOneRow(db, kWriteStudent.text(db.dialect()), bindings, owner.table, owner.matricula);
    if (!written.ok()) {
        return written;
    }
    // Alunos is the back office's table; a student it does not list keeps DIGITAL only.
    auto persona = db.execute(kWriteStudentPersona.text(db.dialect()),
                              {{QStringLiteral(":PERSONA"), digitalPersona}, bindings[1]});
    return persona.ok() ? Status::success() : Status(persona.error());
}

} // namespace orvalen::store::fingerprints
