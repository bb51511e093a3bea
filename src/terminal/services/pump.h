#pragma once

#include <functional>

namespace orvalen::terminal {

// The screen's two ways of handing time to the rest of the program: let pending window
// events run, or hold the screen for a while (the outcome stays readable, input waits).
class Pump {
public:
    virtual ~Pump() = default;
    virtual void processEvents() = 0;
    virtual void wait(int milliseconds) = 0;
    // Runs work from the event loop once the caller has returned. Without an event loop
    // (the headless tool, the tests) nothing else can be running, so it runs at once.
    virtual void post(std::function<void()> work) { work(); }
};

// The Qt event loop: a wait keeps the window painted and holds keys and clicks back
// until it ends; they are handled afterwards in arrival order.
class QtPump : public Pump {
public:
    void processEvents() override;
    void wait(int milliseconds) override;
    void post(std::function<void()> work) override;
};

} // namespace orvalen::terminal
