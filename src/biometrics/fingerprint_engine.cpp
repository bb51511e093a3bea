#include "biometrics/fingerprint_engine.h"

#include "biometrics/fprint_matcher.h"
#include "biometrics/minutiae_ranking.h"
#include "biometrics/print_codec.h"

#include <algorithm>

namespace orvalen::biometrics {

struct FingerprintEngine::Gallery::Store {
    GPtrArray* prints = g_ptr_array_new_with_free_func(g_object_unref);
    std::vector<qint64> ids;
    MinutiaeRanking ranking; // the same fingers, in the same order
    ~Store() { g_ptr_array_unref(prints); }
};

store::Result<std::shared_ptr<FingerprintEngine>> FingerprintEngine::start() {
    auto thread = LibraryThread::start();
    if (!thread.ok()) {
        return thread.error();
    }
    std::shared_ptr<FingerprintEngine> engine(new FingerprintEngine);
    engine->thread_ = std::move(thread.value());
    auto matcher = engine->thread_->call([] { return FprintMatcher::start(); }).wait();
    if (!matcher.ok()) {
        return matcher.error();
    }
    engine->matcher_ = matcher.value().release();
    engine->reader_ = engine->thread_->call([] { return new FprintReader; }).wait();
    return engine;
}

FingerprintEngine::~FingerprintEngine() {
    thread_
        ->call([this] {
            delete reader_;
            delete matcher_;
            return true;
        })
        .wait();
}

std::vector<ReaderInfo> FingerprintEngine::readers() {
    return thread_->call([this] { return reader_->list(); }).wait();
}

store::Status FingerprintEngine::openReader() {
    return thread_->call([this] { return reader_->open(); }).wait();
}

void FingerprintEngine::closeReader() {
    thread_
        ->call([this] {
            reader_->close();
            return true;
        })
        .wait();
}

bool FingerprintEngine::fingerWaiting() const {
    return reader_->fingerWaiting();
}

bool FingerprintEngine::readerAwaitingFinger() const {
    return reader_->awaitingFinger();
}

store::Result<FingerImage> FingerprintEngine::takeFinger(std::chrono::milliseconds timeout) {
    return thread_->call([this, timeout] { return reader_->takeFinger(timeout); }).wait();
}

void FingerprintEngine::watchFingers(QObject* receiver,
                                     std::function<void(const FingerImage&)> onFinger) {
    const int generation = ++*watchGeneration_;
    auto current = watchGeneration_;
    auto listener = [target = QPointer<QObject>(receiver), current, generation,
                     onFinger = std::move(onFinger)](const FingerImage& image) {
        if (target.isNull()) {
            return;
        }
        QMetaObject::invokeMethod(
            target,
            [current, generation, onFinger, image] {
                if (*current == generation) {
                    onFinger(image);
                }
            },
            Qt::QueuedConnection);
    };
    thread_->post([this, listener = std::move(listener)] { reader_->setListener(listener); });
}

void FingerprintEngine::stopWatching() {
    ++*watchGeneration_;
    // Once this returns no finger is on its way to the old receiver.
    thread_
        ->call([this] {
            reader_->setListener({});
            return true;
        })
        .wait();
}

store::Result<Minutiae> FingerprintEngine::extract(const FingerImage& image) {
    return thread_->call([this, image] { return matcher_->extract(image); }).wait();
}

std::unique_ptr<FingerprintEngine::Gallery> FingerprintEngine::newGallery() {
    return std::unique_ptr<Gallery>(new Gallery(shared_from_this()));
}

FingerprintEngine::Gallery::Gallery(std::shared_ptr<FingerprintEngine> engine)
    : engine_(std::move(engine)) {
    engine_->thread_
        ->call([this] {
            store_ = std::make_shared<Store>();
            return true;
        })
        .wait();
}

FingerprintEngine::Gallery::~Gallery() {
    // The prints are released on the library thread, where the library uses them.
    engine_->thread_->post([store = std::move(store_)]() mutable { store.reset(); });
}

void FingerprintEngine::Gallery::add(qint64 id, const Minutiae& minutiae) {
    ids_.push_back(id);
    engine_->thread_->post([store = store_, matcher = engine_->matcher_, id, minutiae] {
        auto print = printFromMinutiae(minutiae, matcher->device());
        if (print.ok()) {
            g_ptr_array_add(store->prints, print.value());
            store->ids.push_back(id);
            store->ranking.add(minutiae);
        }
    });
}

void FingerprintEngine::Gallery::remove(qint64 id) {
    std::erase(ids_, id);
    engine_->thread_->post([store = store_, id] {
        for (guint i = store->ids.size(); i-- > 0;) {
            if (store->ids[i] == id) {
                g_ptr_array_remove_index(store->prints, i);
                store->ids.erase(store->ids.begin() + i);
                store->ranking.removeAt(i);
            }
        }
    });
}

void FingerprintEngine::Gallery::clear() {
    ids_.clear();
    engine_->thread_->post([store = store_] {
        g_ptr_array_set_size(store->prints, 0);
        store->ids.clear();
        store->ranking.clear();
    });
}

bool FingerprintEngine::Gallery::contains(qint64 id) const {
    return std::find(ids_.begin(), ids_.end(), id) != ids_.end();
}

store::Result<std::optional<qint64>>
FingerprintEngine::Gallery::identify(const FingerImage& image, std::chrono::milliseconds limit,
                                     std::optional<qint64> expected, Minutiae probe) {
    return engine_->thread_
        ->call([store = store_, matcher = engine_->matcher_, image, limit, expected,
                probe = std::move(probe)]() mutable -> store::Result<std::optional<qint64>> {
            const auto deadline = std::chrono::steady_clock::now() + limit;
            if (expected) {
                const auto at = std::find(store->ids.begin(), store->ids.end(), *expected);
                if (at != store->ids.end()) {
                    const std::size_t position = std::size_t(at - store->ids.begin());
                    auto index = confirm(*matcher, image, *store, {position}, limit, deadline);
                    if (!index.ok() || index->has_value()) {
                        return index;
                    }
                }
            }
            if (probe.empty() && store->ids.size() > kConfirmedCandidates) {
                auto extracted = matcher->extract(image);
                if (!extracted.ok()) {
                    return extracted.error();
                }
                probe = std::move(extracted.value());
            }
            return confirm(*matcher, image, *store,
                           store->ranking.best(probe, kConfirmedCandidates), limit, deadline);
        })
        .wait();
}

store::Result<std::optional<qint64>>
FingerprintEngine::Gallery::confirm(FprintMatcher& matcher, const FingerImage& image,
                                    const Store& store, const std::vector<std::size_t>& positions,
                                    std::chrono::milliseconds limit,
                                    std::chrono::steady_clock::time_point deadline) {
    GPtrArray* candidates = g_ptr_array_sized_new(guint(positions.size()));
    for (std::size_t position : positions) {
        g_ptr_array_add(candidates, g_ptr_array_index(store.prints, guint(position)));
    }
    auto index = matcher.identify(image, candidates, limit, deadline);
    g_ptr_array_unref(candidates);
    if (!index.ok()) {
        return index.error();
    }
    if (index.value() < 0) {
        return std::optional<qint64>();
    }
    return std::optional<qint64>(store.ids[positions[std::size_t(index.value())]]);
}

} // namespace orvalen::biometrics
