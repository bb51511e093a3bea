#include "biometrics/finger_galleries.h"

#include "biometrics/finger_template.h"
#include "store/fingerprint_templates.h"
#include "store/settings.h"
#include "store/statement_catalogue.h"

#include <QSqlRecord>

namespace orvalen::biometrics {

namespace fingerprints = store::fingerprints;

PersonaGallery::PersonaGallery(std::shared_ptr<FingerprintEngine> engine)
    : engine_(std::move(engine)), gallery_(engine_->newGallery()) {}

store::Status PersonaGallery::refreshIfChanged(const store::ClubConnection& db) {
    auto marker = fingerprints::personaMarker(db);
    if (!marker.ok()) {
        return marker.error();
    }
    return marker.value() == marker_ ? store::Status::success() : refresh(db);
}

store::Status PersonaGallery::refresh(const store::ClubConnection& db) {
    auto marker = fingerprints::personaMarker(db);
    if (!marker.ok()) {
        return marker.error();
    }
    auto sacvar2 = store::SettingsRow::load(db, QStringLiteral("Sacvar2"));
    if (!sacvar2.ok()) {
        return sacvar2.error();
    }
    try {
        minimumScore_ =
            minimumScoreForLevel(sacvar2->integer(QStringLiteral("NIVAL_SEGURANCA_BIO")));
    } catch (const store::SettingError& error) {
        return store::Error{QString::fromUtf8(error.what())};
    }
    auto rows = fingerprints::TBLDIGITALPERSONA(db);
    if (!rows.ok()) {
        return rows.error();
    }
    gallery_->clear();
    matriculas_.clear();
    for (const fingerprints::FingerTemplate& row : rows.value()) {
        if (oversized(row.templateText)) {
            continue; // counted by the doctor
        }
        // An empty row holds no finger: it is skipped, never matched as the row before it.
        auto minutiae = minutiaeFromPersonaBytes(personaBytes(row.templateText));
        if (!minutiae.ok()) {
            continue;
        }
        gallery_->add(qint64(matriculas_.size()), minutiae.value());
        matriculas_.push_back(row.matricula.left(10));
    }
    marker_ = marker.value();
    return store::Status::success();
}

store::Result<std::optional<QString>> PersonaGallery::find(const dpfp::DPFPFeatureSet& featureSet,
                                                           store::ErrorLog& log) {
    auto found =
        gallery_->identify(featureSet.image, {std::chrono::milliseconds(30000), minimumScore_});
    if (!found.ok()) {
        return found.error();
    }
    if (found->outOfTime) {
        log.record(found->outOfTimeText());
        return store::Error{QString::fromUtf16(kSearchOutOfTime)};
    }
    if (found->rival) {
        log.record(found->tooCloseText([&](qint64 row) { return matriculas_[std::size_t(row)]; }));
        return std::optional<QString>();
    }
    if (!found->id) {
        return std::optional<QString>();
    }
    return std::optional<QString>(matriculas_[std::size_t(*found->id)]);
}

std::optional<qint64> indexNumberOf(const QString& number) {
    bool ok = false;
    const qint64 value = number.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

namespace {

void addAll(nbiobsp::NBioIndexSearch& index, const std::vector<fingerprints::FingerTemplate>& rows,
            bool employees, IndexLoad& load) {
    for (const fingerprints::FingerTemplate& row : rows) {
        const QString key =
            employees ? QStringLiteral("091") + row.matricula.mid(3, 7) : row.matricula;
        const std::optional<qint64> id = indexNumberOf(key);
        if (!id) {
            // One mistyped number must not stop every finger identification.
            load.unusable << QStringLiteral("the MATRICULA \"%1\" of %2 is not a number: its "
                                            "finger is left out")
                                 .arg(row.matricula, employees ? QStringLiteral("Funcionarios")
                                                               : QStringLiteral("AlunosAtivos"));
            continue;
        }
        if (oversized(row.templateText)) {
            load.unusable << QStringLiteral("the finger of %1 is %2 characters long, more than "
                                            "the %3 a template can have: it is left out")
                                 .arg(row.matricula)
                                 .arg(row.templateText.size())
                                 .arg(kLargestTemplateText);
            continue;
        }
        index.AddFIR(row.templateText, *id);
        index.ErrorCode() == nbiobsp::kNone ? ++load.added : ++load.skipped;
    }
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
    addAll(index, studentRows.value(), false, load);
    if (employees != nullptr) {
        auto employeeRows = fingerprints::employeeDigitalTemplates(*employees);
        if (!employeeRows.ok()) {
            return employeeRows.error();
        }
        addAll(index, employeeRows.value(), true, load);
    }
    return load;
}

namespace {

// Where the terminal reads templates from, and how it decodes them.
struct TemplateColumn {
    const char* table;
    const char* column;
    const char* matricula;
    bool emptyIsFinger; // the terminal loads an empty value as a finger (that cannot match)
    bool persona;       // Digital_Persona's characters, else DIGITAL's text
};

constexpr TemplateColumn kTemplateColumns[] = {
    {"AlunosAtivos", "DIGITAL", "MATRICULA", false, false},
    {"Funcionarios", "DIGITAL", "MATRICULA", true, false},
    {"Alunos", "Digital_Persona", "Matricula", true, true},
    {"Funcionarios", "Digital_Persona", "MATRICULA", true, true},
};

bool decodes(const QString& text, bool persona) {
    return persona ? minutiaeFromPersonaBytes(personaBytes(text)).ok()
                   : minutiaeFromDigital(text).ok();
}

} // namespace

namespace {

QString templatesText(const TemplateColumn& source) {
    return QStringLiteral("SELECT %1, %2 FROM %3 WHERE %2 IS NOT NULL")
        .arg(QLatin1String(source.matricula), QLatin1String(source.column),
             QLatin1String(source.table));
}

std::vector<store::CatalogueEntry> templateEntries(const store::Dialect&) {
    std::vector<store::CatalogueEntry> entries;
    for (const TemplateColumn& source : kTemplateColumns) {
        entries.push_back({QStringLiteral("templates %1.%2")
                               .arg(QLatin1String(source.table), QLatin1String(source.column)),
                           QStringLiteral("doctor: stored templates the reader cannot use"),
                           templatesText(source)});
    }
    return entries;
}

const store::StatementFamily kTemplates{&templateEntries};

} // namespace

store::Result<std::vector<UnusableTemplates>>
findUnusableTemplates(const store::ClubConnection& db) {
    std::vector<UnusableTemplates> found;
    for (const TemplateColumn& source : kTemplateColumns) {
        UnusableTemplates& column = found.emplace_back();
        column.table = QLatin1String(source.table);
        column.column = QLatin1String(source.column);
        auto rows = db.fetchAll(templatesText(source));
        if (!rows.ok()) {
            return rows.error();
        }
        for (const QSqlRecord& row : rows.value()) {
            const QString matricula = row.value(0).toString();
            const QString text = row.value(1).toString();
            if (oversized(text)) {
                column.oversized << matricula;
                continue;
            }
            switch (digitalForm(text)) {
            case TemplateForm::Empty:
                if (source.emptyIsFinger) {
                    column.empty << matricula;
                }
                break;
            case TemplateForm::Foreign:
                column.foreign << matricula;
                break;
            case TemplateForm::Ours:
                if (!decodes(text, source.persona)) {
                    column.damaged << matricula;
                }
                break;
            }
        }
    }
    return found;
}

} // namespace orvalen::biometrics
