#pragma once

#include "terminal/rules/reasons.h"
#include "terminal/rules/record_date.h"

#include <QDate>
#include <QString>

namespace orvalen::terminal::rules {

struct AssessmentFacts {
    RecordDate assessed; // DATA_MEDICA or DATA_FUNCIONAL; no date: expired and blocking
    QDate enrolled;      // DATA_CADASTRADO, the reference without an assessment
    int validityMonths = 0;
    int toleranceDays = 0; // TOLERANCIA_AVALIACAO
    QDate businessDate;
    // Which assessment, as the explanation names its check: "medical" or "functional".
    const char* check = "assessment.medical";
};

struct AssessmentState {
    bool expired = false; // the message is shown
    bool blocks = false;  // the block flag is set
};

// An assessment is valid through the same day validityMonths later (clamped to the
// month's end) and blocks once toleranceDays have passed since it, or since enrolment
// for a student with none.
AssessmentState assessmentState(const AssessmentFacts& facts, const Reasons& reasons = {});

// Whether the expired assessments block the entrance, by Sacvar.BLOQUEIA_AVALIACAO_ACESSO
// compared exactly: "NENHUMA", "TODAS", "MÉDICA", "FUNCIONAL"; anything else never blocks.
bool assessmentBlocksEntrance(const QString& setting, bool medicalFlag, bool medicalOn,
                              bool functionalFlag, bool functionalOn, const Reasons& reasons = {});

} // namespace orvalen::terminal::rules
