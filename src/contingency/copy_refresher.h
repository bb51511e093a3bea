#pragma once

#include "contingency/copy_refresh.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "store/local_settings.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace orvalen::contingency {

// Takes a new copy now and every refresh_minutes, on a thread and a connection of its own,
// so that the screen never waits for it. A refresh that fails keeps the previous copy and
// says why in `log`.
class CopyRefresher {
public:
    CopyRefresher(store::ConnectionSpec club, store::ContingencySettings settings, ReplaceGate gate,
                  store::ErrorLog& log);
    ~CopyRefresher();
    CopyRefresher(const CopyRefresher&) = delete;
    CopyRefresher& operator=(const CopyRefresher&) = delete;

    void start();

private:
    void run();
    void refreshOnce();

    store::ConnectionSpec club_;
    store::ContingencySettings settings_;
    ReplaceGate gate_;
    store::ErrorLog& log_;
    std::mutex lock_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace orvalen::contingency
