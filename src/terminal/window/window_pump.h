#pragma once

#include "terminal/services/pump.h"

#include <functional>

namespace orvalen::terminal {

// The pump of the windowed terminal: before events run or a wait starts, the window is
// brought up to date with the screen state, so every step the rules show is painted.
class WindowPump : public QtPump {
public:
    void setRender(std::function<void()> render) { render_ = std::move(render); }
    void processEvents() override {
        render();
        QtPump::processEvents();
    }
    void wait(int milliseconds) override {
        render();
        QtPump::wait(milliseconds);
    }

private:
    void render() {
        if (render_) {
            render_();
        }
    }
    std::function<void()> render_;
};

} // namespace orvalen::terminal
