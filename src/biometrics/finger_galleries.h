#pragma once

#include "biometrics/digital_persona.h"
#include "biometrics/fingerprint_engine.h"
#include "biometrics/nbiobsp.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "store/result.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace orvalen::biometrics {

// The stored DigitalPersona fingers (TBLDIGITALPERSONA), kept in memory in the order the
// database returns them, so that a capture searches them without reading the tables again,
// with the club's security level (Sacvar2.NIVAL_SEGURANCA_BIO). Refresh it at start-up and
// whenever a finger is enrolled or replaced here; refreshIfChanged() follows the fingers the
// enrolment software writes elsewhere.
class PersonaGallery {
public:
    explicit PersonaGallery(std::shared_ptr<FingerprintEngine> engine);

    store::Status refresh(const store::ClubConnection& db);
    // Reads the stored fingers again when their marker (see personaMarker()) has changed.
    store::Status refreshIfChanged(const store::ClubConnection& db);
    // The Matricula of the row whose finger the feature set matches best ("091" + seven
    // characters for an employee), or none. Two different fingers matching too alike answer
    // none, and `log` hears both.
    store::Result<std::optional<QString>> find(const dpfp::DPFPFeatureSet& featureSet,
                                               store::ErrorLog& log);

private:
    int minimumScore_ = minimumScoreForLevel(kDefaultSecurityLevel);
    QByteArray marker_;
    std::shared_ptr<FingerprintEngine> engine_;
    std::unique_ptr<FingerprintEngine::Gallery> gallery_;
    std::vector<QString> matriculas_;
};

// Loads the enrolment screen's index: every active student's DIGITAL under the number of his
// MATRICULA and, when `employees` is given (no other branch chosen), every employee's under
// "091" followed by characters 4 to 10 of his. Foreign templates are skipped and counted.
// A row whose MATRICULA is not a number is left out and named in `unusable`, for the exception
// log; the other fingers are served. Fails on an unreadable table.
struct IndexLoad {
    int added = 0;
    int skipped = 0;
    QStringList unusable;
};
store::Result<IndexLoad> loadFingerIndex(nbiobsp::NBioIndexSearch& index,
                                         const store::ClubConnection& students,
                                         const store::ClubConnection* employees);

// The index number of an enrolled person: the shared enrollment number as a number ("91" +
// seven digits reads as "091" + the same seven).
std::optional<qint64> indexNumberOf(const QString& number);

// Stored templates this terminal cannot match in one column of one table, for `orvalen doctor`,
// each named by its member's MATRICULA: written by another platform's reader software
// (foreign), carrying this terminal's mark but not decoding (damaged), or empty where the
// terminal reads the row as a finger (an empty DIGITAL of AlunosAtivos means no finger).
struct UnusableTemplates {
    QString table;
    QString column;
    QStringList foreign;
    QStringList damaged;
    QStringList empty;
    QStringList oversized; // longer than kLargestTemplateText: refused when loading
};
// DIGITAL of AlunosAtivos and Funcionarios, Digital_Persona of Alunos and Funcionarios, in
// that order.
store::Result<std::vector<UnusableTemplates>>
findUnusableTemplates(const store::ClubConnection& db);

} // namespace orvalen::biometrics
