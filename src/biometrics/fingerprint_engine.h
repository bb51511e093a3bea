#pragma once

#include "biometrics/finger_image.h"
#include "biometrics/finger_template.h"
#include "biometrics/fprint_reader.h"
#include "biometrics/library_thread.h"
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

// Prints kept in memory in the order they were added, each under a number, searched first to
// last. Changes are queued to the library thread and take effect before any later search.
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

    // The number of the first print, in the order they were added, that the image matches, or
    // none; a search longer than the limit fails. When the caller expects a number (a number
    // typed, then the finger), that number's print is compared first: a finger that matches it
    // answers at once. The probe's minutiae, when the caller has them already, spare one
    // extraction.
    //
    // A gallery larger than kConfirmedCandidates is ranked first by how well each print lines
    // up with the probe (see AlignmentProbe), and the library's matcher compares only the best
    // ranked, in gallery order. A print the matcher accepts shares a dozen or more aligned
    // minutiae with the probe and ranks among the very first (the sample fingers' second
    // presentations align 38 to 68 minutiae with their own print, at most 26 with any other
    // sample finger or 500 invented ones), so the answer is the one a comparison of every print
    // would give, for a finger turned less than AlignmentProbe::kTurnLimit from its enrolment.
    store::Result<std::optional<qint64>> identify(const FingerImage& image,
                                                  std::chrono::milliseconds limit,
                                                  std::optional<qint64> expected = std::nullopt,
                                                  Minutiae probe = {});

    // The prints the library's matcher compares in a large gallery: at 1 to 14 ms a print they
    // fit within the terminal's second with the extraction and the ranking, and leave room for
    // look-alike prints ranked above the right one.
    static constexpr std::size_t kConfirmedCandidates = 32;

private:
    friend class FingerprintEngine;
    struct Store;
    Gallery(std::shared_ptr<FingerprintEngine> engine);
    // The first of the prints at these positions (in gallery order) that the image matches.
    static store::Result<std::optional<qint64>>
    confirm(FprintMatcher& matcher, const FingerImage& image, const Store& store,
            const std::vector<std::size_t>& positions, std::chrono::milliseconds limit,
            std::chrono::steady_clock::time_point deadline);

    std::shared_ptr<FingerprintEngine> engine_;
    std::shared_ptr<Store> store_; // touched on the library thread only
    std::vector<qint64> ids_;      // the same numbers, for the caller's thread
};

} // namespace orvalen::biometrics
