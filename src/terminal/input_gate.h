#pragma once

#include "terminal/services/pump.h"

#include <deque>
#include <functional>
#include <memory>

namespace orvalen::terminal {

// The one way input reaches the terminal screen: keys, clicks, buttons, the reader line,
// the release message, the fingerprint reader, timers and close requests. The screen's
// waits run nested event loops, so an input handled where it arrives could start a second
// identification inside the first, or delete an object whose handler is still running.
// Here every input runs later, from the event loop, one at a time and never inside another.
class InputGate {
public:
    // What becomes of an input that arrives while another is being handled.
    enum class WhenBusy {
        Wait, // runs once the running one has returned (the reader line, a release message)
        Drop  // is lost, as a key to a disabled field is (keys, the clock's tick)
    };

    explicit InputGate(Pump& pump);
    ~InputGate();
    InputGate(const InputGate&) = delete;
    InputGate& operator=(const InputGate&) = delete;

    // Hands one input in; it runs from the event loop, never from within this call's
    // caller.
    void submit(std::function<void()> input, WhenBusy whenBusy = WhenBusy::Wait);

    // Marks the screen busy for as long as it lives: work that does not come through
    // submit (the screen's start, a handler the tool calls) holds the rest back too.
    class Hold {
    public:
        explicit Hold(InputGate& gate);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        InputGate& gate_;
    };

    bool busy() const { return depth_ > 0; }
    std::size_t waiting() const { return queue_.size(); }
    // Runs each time an input has been handled and nothing else is running (the window
    // draws, and closes when the screen asked it to).
    void setAfterInput(std::function<void()> afterInput) { afterInput_ = std::move(afterInput); }

private:
    void schedule();
    void runNext();
    void leave();

    Pump& pump_;
    std::deque<std::function<void()>> queue_;
    int depth_ = 0;
    bool scheduled_ = false;
    std::function<void()> afterInput_;
    // Posted runs that outlive the gate find it gone and do nothing.
    std::shared_ptr<InputGate*> self_;
};

} // namespace orvalen::terminal
