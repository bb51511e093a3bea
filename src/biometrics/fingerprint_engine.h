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

    // The number of the first print the image matches, or none; a search longer than the
    // limit fails. When the caller expects a number (a number typed, then the finger), that
    // number's print is compared first: a finger that matches it answers at once.
    store::Result<std::optional<qint64>> identify(const FingerImage& image,
                                                  std::chrono::milliseconds limit,
                                                  std::optional<qint64> expected = std::nullopt);

private:
    friend class FingerprintEngine;
    struct Store;
    Gallery(std::shared_ptr<FingerprintEngine> engine);

    std::shared_ptr<FingerprintEngine> engine_;
    std::shared_ptr<Store> store_; // touched on the library thread only
    std::vector<qint64> ids_;      // the same numbers, for the caller's thread
};

} // namespace orvalen::biometrics
