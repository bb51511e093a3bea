#include "biometrics/kept_finger_index.h"

namespace orvalen::biometrics {

namespace {

QString sourceOf(const store::ClubConnection& connection) {
    return connection.spec().driver + QLatin1Char('|') + connection.spec().databaseName;
}

} // namespace

KeptFingerIndex::KeptFingerIndex(store::Result<std::shared_ptr<FingerprintEngine>> engine)
    : reader_(std::move(engine)) {}

store::Result<IndexLoad> KeptFingerIndex::load(const store::ClubConnection& students,
                                               const store::ClubConnection* employees) {
    const QString source =
        sourceOf(students) +
        (employees != nullptr ? QLatin1Char('+') + sourceOf(*employees) : QString());
    if (!source_.isEmpty() && source == source_) {
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
    counts_ = loaded.value();
    // The rows left out are told once, by the load that read them.
    counts_.unusable.clear();
    return loaded;
}

} // namespace orvalen::biometrics
