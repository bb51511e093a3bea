#pragma once

#include "biometrics/finger_image.h"
#include "biometrics/finger_template.h"
#include "biometrics/fprint_reader.h"
#include "biometrics/library_thread.h"
#include "biometrics/match_rules.h"
#include "store/result.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orvalen::biometrics {

class FprintMatcher;

// The answer of a search of stored prints.
struct Identification {
    struct Candidate {
        qint64 id;
        int score; // aligned minutiae (see AlignmentProbe)
    };
    std::optional<qint64> id; // whom the finger belongs to, or none
    // When two different fingers matched too alike to tell apart: the better and the other.
    std::optional<Candidate> best;
    std::optional<Candidate> rival;

    // The search ran out of its time after `searchedMs`, among `gallerySize` prints: whether
    // the finger is on file is not known.
    bool outOfTime = false;
    qint64 searchedMs = 0;
    std::size_t gallerySize = 0;

    QString outOfTimeText() const;
    // For the exception log: the two numbers (or what `nameOf` makes of them) and their scores.
    QString tooCloseText(const std::function<QString(qint64)>& nameOf = {}) const;
};

// The fingerprint library as the rest of the program uses it: the reader, the extraction of
// templates and the search of galleries, all run on the one library thread. Every blocking
// member keeps a GUI thread painting (input held back) while it waits. There is one engine a
// process; the readers' adapters share it.
class FingerprintEngine : public std::enable_shared_from_this<FingerprintEngine> {
public:
    static store::Result<std::shared_ptr<FingerprintEngine>> start();
    ~FingerprintEngine();
    FingerprintEngine(const FingerprintEngine&) = delete;
    FingerprintEngine& operator=(const FingerprintEngine&) = delete;

    std::vector<ReaderInfo> readers();
    store::Status openReader();
    void closeReader();
    // A finger was captured and waits to be taken (see FprintReader::kFreshness).
    bool fingerWaiting() const;
    // The reader waits for a finger: the moment a virtual reader accepts an image.
    bool readerAwaitingFinger() const;
    store::Result<FingerImage> takeFinger(std::chrono::milliseconds timeout);

    // Hands every finger the open reader captures to `onFinger`, on the thread of `receiver`,
    // until stopWatching(); a finger captured before the stop but not yet delivered is dropped.
    void watchFingers(QObject* receiver, std::function<void(const FingerImage&)> onFinger);
    void stopWatching();

    store::Result<Minutiae> extract(const FingerImage& image);

    class Gallery;
    std::unique_ptr<Gallery> newGallery();

private:
    FingerprintEngine() = default;

    std::unique_ptr<LibraryThread> thread_;
    FprintReader* reader_ = nullptr;   // lives on the library thread
    FprintMatcher* matcher_ = nullptr; // lives on the library thread
    std::shared_ptr<std::atomic<int>> watchGeneration_ = std::make_shared<std::atomic<int>>(0);
};

// Prints kept in memory in the order they were added, each under a number. Changes are queued to
// the library thread and take effect before any later search.
class FingerprintEngine::Gallery {
public:
    ~Gallery();
    Gallery(const Gallery&) = delete;
    Gallery& operator=(const Gallery&) = delete;

    void add(qint64 id, const Minutiae& minutiae);
    void remove(qint64 id);
    void clear();
    bool contains(qint64 id) const;
    std::size_t size() const { return ids_.size(); }

    // What a search asks for: the time it may take, the aligned minutiae a print needs (see
    // minimumScoreForLevel()), the number the caller expects (a number typed, then the finger:
    // that number's print alone is compared, and answers at once) and the probe's minutiae when
    // the caller has them already (they spare one extraction).
    struct Search {
        std::chrono::milliseconds limit;
        int minimumScore = minimumScoreForLevel(kDefaultSecurityLevel);
        std::optional<qint64> expected = std::nullopt;
        Minutiae probe = {};
    };

    // The print that lines up best with the image among those the library's matcher accepts
    // (the earlier added when two score alike), or none; a search that runs out of its limit
    // says so (Identification::outOfTime).
    // Each print is ranked by how well it lines up with the probe (see AlignmentProbe); the
    // library's matcher compares only the kConfirmedCandidates best that reach the minimum, the
    // best first. When another finger the matcher also accepts scores within kRivalMargin of the
    // best, no one is named and both are reported. One finger stored under several numbers (a
    // student and an employee) answers with the number added first.
    store::Result<Identification> identify(const FingerImage& image, const Search& search);

    // The prints the library's matcher compares in a large gallery: at 1 to 14 ms a print they
    // fit within the terminal's second with the extraction and the ranking, and leave room for
    // look-alike prints ranked above the right one.
    static constexpr std::size_t kConfirmedCandidates = 32;

private:
    friend class FingerprintEngine;
    struct Store;
    Gallery(std::shared_ptr<FingerprintEngine> engine);
    static store::Result<Identification> search(FprintMatcher& matcher, const FingerImage& image,
                                                Store& store, Search search);

    std::shared_ptr<FingerprintEngine> engine_;
    std::shared_ptr<Store> store_; // touched on the library thread only
    std::vector<qint64> ids_;      // the same numbers, for the caller's thread
};

} // namespace orvalen::biometrics
