#include "biometrics/finger_galleries.h"

#include "store/fingerprint_templates.h"

#include <QSqlRecord>

namespace orvalen::biometrics {

namespace fingerprints = store::fingerprints;

PersonaGallery::PersonaGallery(std::shared_ptr<FingerprintEngine> engine)
    : engine_(std::move(engine)), gallery_(engine_->newGallery()) {}

store::Status PersonaGallery::refresh(const store::ClubConnection& db) {
    auto rows = fingerprints::TBLDIGITALPERSONA(db);
    if (!rows.ok()) {
        return rows.error();
    }
    gallery_->clear();
    matriculas_.clear();
    for (const fingerprints::FingerTemplate& row : rows.value()) {
        // An empty row holds no finger: it is skipped, never matched as the row before it.
        auto minutiae = minutiaeFromPersonaBytes(personaBytes(row.templateText));
        if (!minutiae.ok()) {
            continue;
        }
        gallery_->add(qint64(matriculas_.size()), minutiae.value());
        matriculas_.push_back(row.matricula.left(10));
    }
    return store::Status::success();
}

store::Result<std::optional<QString>> PersonaGallery::find(const dpfp::DPFPFeatureSet& featureSet) {
    auto found = gallery_->identify(featureSet.image, std::chrono::milliseconds(30000));
    if (!found.ok()) {
        return found.error();
    }
    if (!found->has_value()) {
        return std::optional<QString>();
    }
    return std::optional<QString>(matriculas_[std::size_t(*found.value())]);
}

std::optional<qint64> indexNumberOf(const QString& number) {
    bool ok = false;
    const qint64 value = number.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

namespace {

store::Status addAll(nbiobsp::NBioIndexSearch& index,
                     const std::vector<fingerprints::FingerTemplate>& rows, bool employees,
                     IndexLoad& load) {
    for (const fingerprints::FingerTemplate& row : rows) {
        const QString key =
            employees ? QStringLiteral("091") + row.matricula.mid(3, 7) : row.matricula;
        const std::optional<qint64> id = indexNumberOf(key);
        if (!id) {
            return store::Error{QStringLiteral("the MATRICULA \"%1\" of %2 is not a number")
                                    .arg(row.matricula, employees
                                                            ? QStringLiteral("Funcionarios")
                                                            : QStringLiteral("AlunosAtivos"))};
        }
        index.AddFIR(row.templateText, *id);
        index.ErrorCode() == nbiobsp::kNone ? ++load.added : ++load.skipped;
    }
    return store::Status::success();
}

} // namespace

store::Result<IndexLoad> loadFingerIndex(nbiobsp::NBioIndexSearch& index,
                                         const store::ClubConnection& students,
                                         const store::ClubConnection* employees) {
    IndexLoad load;
    auto studentRows = fingerprints::studentDigitalTemplates(students);
    if (!studentRows.ok()) {
        return studentRows.error();
    }
    if (const store::Status added = addAll(index, studentRows.value(), false, load); !added.ok()) {
        return added.error();
    }
    if (employees != nullptr) {
        auto employeeRows = fingerprints::employeeDigitalTemplates(*employees);
        if (!employeeRows.ok()) {
            return employeeRows.error();
        }
        if (const store::Status added = addAll(index, employeeRows.value(), true, load);
            !added.ok()) {
            return added.error();
        }
    }
    return load;
}

store::Result<std::vector<ForeignTemplates>>
countForeignTemplates(const store::ClubConnection& db) {
    std::vector<ForeignTemplates> counts = {
        {QStringLiteral("AlunosAtivos"), QStringLiteral("DIGITAL")},
        {QStringLiteral("Funcionarios"), QStringLiteral("DIGITAL")},
        {QStringLiteral("Alunos"), QStringLiteral("Digital_Persona")},
        {QStringLiteral("Funcionarios"), QStringLiteral("Digital_Persona")}};
    for (ForeignTemplates& count : counts) {
        auto rows = db.fetchAll(QStringLiteral("SELECT %1 FROM %2 WHERE %1 IS NOT NULL")
                                    .arg(count.column, count.table));
        if (!rows.ok()) {
            return rows.error();
        }
        for (const QSqlRecord& row : rows.value()) {
            count.count += digitalForm(row.value(0).toString()) == TemplateForm::Foreign ? 1 : 0;
        }
    }
    return counts;
}

} // namespace orvalen::biometrics
