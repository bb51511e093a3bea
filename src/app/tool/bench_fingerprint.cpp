#include "app/tool/bench_fingerprint.h"

#include "app/tool/bench_figures.h"
#include "biometrics/finger_image.h"
#include "biometrics/finger_template.h"
#include "biometrics/fingerprint_engine.h"
#include "desk/club_database.h"
#include "store/fingerprint_templates.h"

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>

namespace orvalen::tool {

namespace {

const std::chrono::milliseconds kSearchLimit(600000);

struct StoredFinger {
    QString matricula;
    biometrics::Minutiae minutiae;
};

// The templates as the terminal reads and decodes them; rows it cannot use are skipped.
store::Result<std::vector<StoredFinger>> loadStoredFingers(const store::ClubConnection& club) {
    auto rows = store::fingerprints::TBLDIGITALPERSONA(club);
    if (!rows.ok()) {
        return rows.error();
    }
    std::vector<StoredFinger> fingers;
    for (const auto& row : rows.value()) {
        auto minutiae =
            biometrics::minutiaeFromPersonaBytes(biometrics::personaBytes(row.templateText));
        if (minutiae.ok()) {
            fingers.push_back({row.matricula, std::move(minutiae.value())});
        }
    }
    return fingers;
}

// The fingers to search: the first `count` of the stored ones, the probe's own moved last.
std::vector<StoredFinger> gallerySelection(std::vector<StoredFinger> stored, int count,
                                           const biometrics::Minutiae& probe, bool& probeInside) {
    const auto own = std::find_if(stored.begin(), stored.end(),
                                  [&](const StoredFinger& f) { return f.minutiae == probe; });
    probeInside = own != stored.end();
    std::vector<StoredFinger> selection;
    if (probeInside) {
        StoredFinger last = *own;
        stored.erase(own);
        stored.resize(std::min(stored.size(), std::size_t(std::max(0, count - 1))));
        selection = std::move(stored);
        selection.push_back(std::move(last));
    } else {
        stored.resize(std::min(stored.size(), std::size_t(std::max(0, count))));
        selection = std::move(stored);
    }
    return selection;
}

// Another process spinning on one processor core for as long as the object lives.
class BusyCore {
public:
    BusyCore() {
        spinner_.start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        spinner_.waitForStarted();
    }
    ~BusyCore() {
        spinner_.kill();
        spinner_.waitForFinished();
    }
    BusyCore(const BusyCore&) = delete;
    BusyCore& operator=(const BusyCore&) = delete;

private:
    QProcess spinner_;
};

} // namespace

store::Status measureFingerprint(const FingerprintBenchOptions& options, BenchFigures& figures) {
    auto engine = biometrics::FingerprintEngine::start();
    if (!engine.ok()) {
        figures.fingerprintNote = QStringLiteral("not measured: ") + engine.error().message;
        return store::Status::success();
    }
    auto stored = biometrics::sampleFinger(QStringLiteral("whorl"));
    auto captured = biometrics::sampleFinger(QStringLiteral("whorl_rot"));
    if (!stored.ok() || !captured.ok()) {
        return (stored.ok() ? captured : stored).error();
    }
    const auto probe = engine.value()->extract(stored.value());
    if (!probe.ok()) {
        return probe.error();
    }
    auto club = desk::openClubDatabase(options.folder, QStringLiteral("orvalen-bench-fingers"));
    if (!club.ok()) {
        return club.error();
    }

    engine.value()->readers(); // the library finds its devices once, outside the timing

    QElapsedTimer load;
    load.start();
    auto fingers = loadStoredFingers(*club->connection);
    if (!fingers.ok()) {
        return fingers.error();
    }
    bool probeInside = false;
    const std::vector<StoredFinger> selection =
        gallerySelection(std::move(fingers.value()), options.enrolled, probe.value(), probeInside);
    auto gallery = engine.value()->newGallery();
    for (std::size_t i = 0; i < selection.size(); ++i) {
        gallery->add(qint64(i), selection[i].minutiae);
    }
    engine.value()->readers(); // runs after the queued prints are built: the load is over
    figures.fingerprintLoadMs = double(load.nsecsElapsed()) / 1e6;
    figures.fingerprintEnrolled = int(selection.size());
    if (selection.empty()) {
        figures.fingerprintNote = QStringLiteral("not measured: the club has no stored fingers");
        figures.fingerprintLoadMs.reset();
        return store::Status::success();
    }

    const auto timeSearches = [&](Samples& searches) -> store::Status {
        for (int i = 0; i < options.repeats; ++i) {
            QElapsedTimer search;
            search.start();
            const auto found = gallery->identify(captured.value(), {kSearchLimit});
            searches.add(double(search.nsecsElapsed()) / 1e6);
            if (!found.ok()) {
                return found.error();
            }
            const bool right =
                probeInside ? found->id == qint64(selection.size()) - 1 : !found->id.has_value();
            if (!right) {
                figures.fingerprintNote =
                    QStringLiteral("the search answered %1, not the finger enrolled last")
                        .arg(found->id ? selection[std::size_t(*found->id)].matricula
                                       : QStringLiteral("no match"));
            }
        }
        return store::Status::success();
    };
    Samples searches;
    if (const store::Status timed = timeSearches(searches); !timed.ok()) {
        return timed;
    }
    Samples busySearches;
    {
        BusyCore busy;
        if (const store::Status timed = timeSearches(busySearches); !timed.ok()) {
            return timed;
        }
    }
    figures.fingerprintP95Ms = searches.percentile(0.95);
    figures.fingerprintBusyP95Ms = busySearches.percentile(0.95);
    figures.fingerprintMs = searches.median();
    if (figures.fingerprintNote.isEmpty()) {
        figures.fingerprintNote =
            probeInside ? QStringLiteral("%1 fingers searched, the match last (%2)")
                              .arg(selection.size())
                              .arg(selection.back().matricula)
                        : QStringLiteral("%1 fingers searched, the sample finger is not enrolled "
                                         "here: no match, as expected")
                              .arg(selection.size());
    }
    return store::Status::success();
}

} // namespace orvalen::tool
