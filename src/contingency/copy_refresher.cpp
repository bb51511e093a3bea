#include "contingency/copy_refresher.h"

#include <QDateTime>

namespace orvalen::contingency {

CopyRefresher::CopyRefresher(store::ConnectionSpec club, store::ContingencySettings settings,
                             ReplaceGate gate, store::ErrorLog& log)
    : club_(std::move(club)), settings_(std::move(settings)), gate_(std::move(gate)), log_(log) {}

CopyRefresher::~CopyRefresher() {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void CopyRefresher::start() {
    thread_ = std::thread([this] { run(); });
}

void CopyRefresher::run() {
    for (;;) {
        refreshOnce();
        std::unique_lock<std::mutex> hold(lock_);
        if (wake_.wait_for(hold, std::chrono::minutes(settings_.refreshMinutes),
                           [this] { return stopping_; })) {
            return;
        }
    }
}

void CopyRefresher::refreshOnce() {
    if (gate_.mayReplace && !gate_.mayReplace()) {
        return; // deciding from the copy: the club database is away anyway
    }
    // Qt SQL connections belong to the thread that made them: this one is the refresher's.
    store::ClubConnection club(club_, QStringLiteral("contingency-refresher"),
                               store::OpenMode::ReadOnly);
    store::Status done = club.open();
    if (done.ok()) {
        const auto refreshed = refreshCopy(club, settings_, QDateTime::currentDateTime(), gate_);
        if (!refreshed.ok()) {
            done = refreshed.error();
        }
    }
    if (!done.ok()) {
        log_.record(QStringLiteral("contingency copy not refreshed: %1").arg(done.error().message));
    }
}

} // namespace orvalen::contingency
