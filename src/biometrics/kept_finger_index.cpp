#include "biometrics/kept_finger_index.h"

#include "store/fingerprint_templates.h"

namespace orvalen::biometrics {

namespace {

QString sourceOf(const store::ClubConnection& connection) {
    return connection.spec().driver + QLatin1Char('|') + connection.spec().databaseName;
}

} // namespace

KeptFingerIndex::KeptFingerIndex(store::Result<std::shared_ptr<FingerprintEngine>> engine,
                                 std::chrono::milliseconds recheck)
    : reader_(std::move(engine)), recheck_(recheck) {}

store::Result<QByteArray> KeptFingerIndex::markerOf(const store::ClubConnection& students,
                                                    const store::ClubConnection* employees) const {
    auto marker = store::fingerprints::studentDigitalMarker(students);
    if (!marker.ok() || employees == nullptr) {
        return marker;
    }
    auto employeeMarker = store::fingerprints::employeeDigitalMarker(*employees);
    if (!employeeMarker.ok()) {
        return employeeMarker;
    }
    return QByteArray(marker.value() + employeeMarker.value());
}

store::Result<IndexLoad> KeptFingerIndex::load(const store::ClubConnection& students,
                                               const store::ClubConnection* employees) {
    const QString source =
        sourceOf(students) +
        (employees != nullptr ? QLatin1Char('+') + sourceOf(*employees) : QString());
    const auto now = std::chrono::steady_clock::now();
    if (!source_.isEmpty() && source == source_ && now - lastLook_ < recheck_) {
        return counts_;
    }
    auto marker = markerOf(students, employees);
    if (!marker.ok()) {
        return marker.error();
    }
    lastLook_ = now;
    if (!source_.isEmpty() && source == source_ && marker.value() == marker_) {
        return counts_;
    }
    source_.clear();
    reader_.IndexSearch.ClearDB();
    auto loaded = loadFingerIndex(reader_.IndexSearch, students, employees);
    if (!loaded.ok()) {
        reader_.IndexSearch.ClearDB();
        return loaded;
    }
    source_ = source;
    marker_ = marker.value();
    counts_ = loaded.value();
    // The rows left out are told once, by the load that read them.
    counts_.unusable.clear();
    return loaded;
}

} // namespace orvalen::biometrics
