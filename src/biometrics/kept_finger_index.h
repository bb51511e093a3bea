#pragma once

#include "biometrics/finger_galleries.h"
#include "biometrics/fingerprint_engine.h"
#include "biometrics/nbiobsp.h"
#include "store/connection.h"
#include "store/result.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <memory>

namespace orvalen::biometrics {

// The capture screen's NBioBSP reader with its index, kept from one opening of the screen to
// the next: the stored fingers are read once for a source (the students' database, with or
// without the employees) and again when the source changes, after an enrolment, or when the
// stored templates' marker (see studentDigitalMarker()) has changed, which is looked at when
// `recheck` has passed since the last look: fingers enrolled, removed or replaced elsewhere are
// followed. Read again, the index holds the same fingers in the same order, so every search
// answers as it would after a fresh load.
class KeptFingerIndex {
public:
    static constexpr std::chrono::milliseconds kRecheck{20000};
    explicit KeptFingerIndex(store::Result<std::shared_ptr<FingerprintEngine>> engine,
                             std::chrono::milliseconds recheck = kRecheck);

    nbiobsp::NBioBSP& reader() { return reader_; }

    // Loads the index unless it holds this source's current fingers already; the counts of the
    // load that filled it. Fails when the tables or their marker cannot be read.
    store::Result<IndexLoad> load(const store::ClubConnection& students,
                                  const store::ClubConnection* employees);
    // The stored fingers changed (an enrolment): the next load reads them again.
    void invalidate() { source_.clear(); }

private:
    store::Result<QByteArray> markerOf(const store::ClubConnection& students,
                                       const store::ClubConnection* employees) const;

    nbiobsp::NBioBSP reader_;
    std::chrono::milliseconds recheck_;
    QString source_;
    QByteArray marker_;
    std::chrono::steady_clock::time_point lastLook_;
    IndexLoad counts_;
};

} // namespace orvalen::biometrics
