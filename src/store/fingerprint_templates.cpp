#include "store/fingerprint_templates.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>

namespace orvalen::store::fingerprints {

namespace {

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

// The DigitalPersona rows of students and employees, with `column` made of Digital_Persona.
QString personaQuery(const ClubConnection& db, const QString& column) {
    const Dialect& d = db.dialect();
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

// The marked characters of a template column.
QString markedPart(const ClubConnection& db, const char* column) {
    return db.dialect().substring(QLatin1String(column), 1, kMarkedCharacters);
}

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
    return templatesOf(db, personaQuery(db, QStringLiteral("Digital_Persona")));
}

Result<QByteArray> personaMarker(const ClubConnection& db) {
    return markerOf(db, personaQuery(db, markedPart(db, "Digital_Persona")));
}

Result<QByteArray> studentDigitalMarker(const ClubConnection& db) {
    return markerOf(db, studentDigitalQuery(markedPart(db, "DIGITAL")));
}

Result<QByteArray> employeeDigitalMarker(const ClubConnection& db) {
    return markerOf(db, employeeDigitalQuery(markedPart(db, "DIGITAL")));
}

Result<std::vector<FingerTemplate>> studentDigitalTemplates(const ClubConnection& db) {
    auto all = templatesOf(db, studentDigitalQuery(QStringLiteral("DIGITAL")));
    if (!all.ok()) {
        return all;
    }
    std::erase_if(all.value(), [](const FingerTemplate& t) { return t.templateText.isEmpty(); });
    return all;
}

Result<std::vector<FingerTemplate>> employeeDigitalTemplates(const ClubConnection& db) {
    return templatesOf(db, employeeDigitalQuery(QStringLiteral("DIGITAL")));
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
            db,
            QStringLiteral("UPDATE FUNCIONARIOS SET DIGITAL = :DIGITAL, "
                           "Digital_Persona = :PERSONA WHERE MATRICULA = :MATRICULA"),
            {bindings[0], {QStringLiteral(":PERSONA"), digitalPersona}, bindings[1]}, owner.table,
            owner.matricula);
    }
    const Status written = updateOneRow(
        db,
        QStringLiteral("UPDATE ALUNOSATIVOS SET   DIGITAL = :DIGITAL WHERE MATRICULA = :MATRICULA"),
        bindings, owner.table, owner.matricula);
    if (!written.ok()) {
        return written;
    }
    // Alunos is the back office's table; a student it does not list keeps DIGITAL only.
    auto persona = db.execute(
        QStringLiteral("UPDATE alunos SET Digital_Persona = :PERSONA WHERE Matricula = :MATRICULA"),
        {{QStringLiteral(":PERSONA"), digitalPersona}, bindings[1]});
    return persona.ok() ? Status::success() : Status(persona.error());
}

} // namespace orvalen::store::fingerprints
