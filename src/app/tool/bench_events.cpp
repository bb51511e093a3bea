#include "app/tool/bench_events.h"

namespace orvalen::tool {

void BenchEvents::wait(int milliseconds) {
    lastHoldStart_ = nanoseconds();
    now_ = now_.addMSecs(milliseconds);
    ++holds_;
    lastHoldEnd_ = nanoseconds();
}

} // namespace orvalen::tool
