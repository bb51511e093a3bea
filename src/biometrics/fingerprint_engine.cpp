#include "biometrics/fingerprint_engine.h"

#include "biometrics/best_match.h"
#include "biometrics/fprint_matcher.h"
#include "biometrics/minutiae_ranking.h"
#include "biometrics/print_codec.h"

#include <algorithm>

namespace orvalen::biometrics {

struct FingerprintEngine::Gallery::Store {
    GPtrArray* prints = g_ptr_array_new_with_free_func(g_object_unref);
    std::vector<qint64> ids;
    MinutiaeRanking ranking;        // the same fingers, in the same order
    std::vector<Minutiae> minutiae; // and again as stored, to compare two of them
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
            store->minutiae.push_back(minutiae);
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
                store->minutiae.erase(store->minutiae.begin() + i);
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
        store->minutiae.clear();
    });
}

bool FingerprintEngine::Gallery::contains(qint64 id) const {
    return std::find(ids_.begin(), ids_.end(), id) != ids_.end();
}

store::Result<Identification> FingerprintEngine::Gallery::identify(const FingerImage& image,
                                                                   const Search& search) {
    return engine_->thread_
        ->call([store = store_, matcher = engine_->matcher_, image, search] {
            return Gallery::search(*matcher, image, *store, search);
        })
        .wait();
}

namespace {

// The first of the candidates, in their order, whose print the library's matcher accepts for
// the image: its place among them, or -1.
store::Result<int> firstAccepted(FprintMatcher& matcher, const FingerImage& image,
                                 GPtrArray* prints, const std::vector<RankedCandidate>& candidates,
                                 std::chrono::milliseconds limit,
                                 std::chrono::steady_clock::time_point deadline) {
    if (candidates.empty()) {
        return -1;
    }
    GPtrArray* chosen = g_ptr_array_sized_new(guint(candidates.size()));
    for (const RankedCandidate& candidate : candidates) {
        g_ptr_array_add(chosen, g_ptr_array_index(prints, guint(candidate.position)));
    }
    auto index = matcher.identify(image, chosen, limit, deadline);
    g_ptr_array_unref(chosen);
    return index;
}

} // namespace

store::Result<Identification> FingerprintEngine::Gallery::search(FprintMatcher& matcher,
                                                                 const FingerImage& image,
                                                                 Store& store, Search search) {
    const auto started = std::chrono::steady_clock::now();
    const auto deadline = started + search.limit;
    bool outOfTime = false;
    const auto accepted =
        [&](const std::vector<RankedCandidate>& candidates) -> store::Result<int> {
        auto index =
            firstAccepted(matcher, image, store.prints, candidates, search.limit, deadline);
        if (index.ok() && index.value() == FprintMatcher::kOutOfTime) {
            outOfTime = true;
            return store::Error{QStringLiteral("out of time")};
        }
        return index;
    };
    const auto ranOutOfTime = [&] {
        Identification answer;
        answer.outOfTime = true;
        answer.searchedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - started)
                                .count();
        answer.gallerySize = store.ids.size();
        return answer;
    };
    if (search.probe.empty()) {
        auto extracted = matcher.extract(image);
        if (!extracted.ok()) {
            return extracted.error();
        }
        search.probe = std::move(extracted.value());
    }
    const AlignmentProbe probe(search.probe);
    if (search.expected) {
        const auto at = std::find(store.ids.begin(), store.ids.end(), *search.expected);
        if (at != store.ids.end()) {
            const std::size_t position = std::size_t(at - store.ids.begin());
            const int score = probe.score(store.minutiae[position]);
            if (score >= search.minimumScore) {
                auto index = accepted({{position, score}});
                if (!index.ok()) {
                    return outOfTime ? store::Result<Identification>(ranOutOfTime())
                                     : index.error();
                }
                if (index.value() == 0) {
                    return Identification{*search.expected};
                }
            }
        }
    }
    const std::vector<RankedCandidate> ranked =
        store.ranking.best(search.probe, search.minimumScore, kConfirmedCandidates);
    auto choice = chooseMatch(ranked, accepted, [&](std::size_t a, std::size_t b) {
        return AlignmentProbe(store.minutiae[a]).score(store.minutiae[b]) >= kSameFingerScore;
    });
    if (!choice.ok()) {
        return outOfTime ? store::Result<Identification>(ranOutOfTime()) : choice.error();
    }
    const auto candidate = [&](const std::optional<RankedCandidate>& c) {
        return c ? std::optional<Identification::Candidate>({store.ids[c->position], c->score})
                 : std::nullopt;
    };
    const auto chosen = candidate(choice->chosen);
    return Identification{chosen ? std::optional<qint64>(chosen->id) : std::nullopt,
                          candidate(choice->best), candidate(choice->rival)};
}

QString Identification::outOfTimeText() const {
    return QStringLiteral("the fingerprint search among %1 stored fingers ran out of time after "
                          "%2 ms: the finger was neither found nor refused")
        .arg(gallerySize)
        .arg(searchedMs);
}

QString Identification::tooCloseText(const std::function<QString(qint64)>& nameOf) const {
    if (!best || !rival) {
        return {};
    }
    const auto name = [&](qint64 id) { return nameOf ? nameOf(id) : QString::number(id); };
    return QStringLiteral("two fingers matched too alike to tell apart: %1 (%2 minutiae aligned) "
                          "and %3 (%4): no one was identified")
        .arg(name(best->id))
        .arg(best->score)
        .arg(name(rival->id))
        .arg(rival->score);
}

} // namespace orvalen::biometrics
