#pragma once

#include "biometrics/finger_galleries.h"
#include "biometrics/fingerprint_engine.h"
#include "biometrics/nbiobsp.h"
#include "store/connection.h"
#include "store/result.h"

#include <QString>
#include <memory>

namespace orvalen::biometrics {

// The capture screen's NBioBSP reader with its index, kept from one opening of the screen to
// the next: the stored fingers are read once for a source (the students' database, with or
// without the employees) and again only when the source changes or after an enrolment, so a
// capture does not read every stored template again. Read again, the index holds the same
// fingers in the same order, so every search answers as it would after a fresh load.
class KeptFingerIndex {
public:
    explicit KeptFingerIndex(store::Result<std::shared_ptr<FingerprintEngine>> engine);

    nbiobsp::NBioBSP& reader() { return reader_; }

    // Loads the index unless it holds this source's fingers already; the counts of the load
    // that filled it.
    store::Result<IndexLoad> load(const store::ClubConnection& students,
                                  const store::ClubConnection* employees);
    // The stored fingers changed (an enrolment): the next load reads them again.
    void invalidate() { source_.clear(); }

private:
    nbiobsp::NBioBSP reader_;
    QString source_;
    IndexLoad counts_;
};

} // namespace orvalen::biometrics
