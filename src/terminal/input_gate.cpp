#include "terminal/input_gate.h"

namespace orvalen::terminal {

InputGate::InputGate(Pump& pump) : pump_(pump), self_(std::make_shared<InputGate*>(this)) {}

InputGate::~InputGate() {
    *self_ = nullptr;
}

void InputGate::submit(std::function<void()> input, WhenBusy whenBusy) {
    if (busy() && whenBusy == WhenBusy::Drop) {
        return;
    }
    queue_.push_back(std::move(input));
    schedule();
}

void InputGate::schedule() {
    if (scheduled_ || queue_.empty() || busy()) {
        return;
    }
    scheduled_ = true;
    pump_.post([weak = std::weak_ptr<InputGate*>(self_)] {
        const auto self = weak.lock();
        if (self && *self != nullptr) {
            (*self)->scheduled_ = false;
            (*self)->runNext();
        }
    });
}

void InputGate::runNext() {
    // A run posted earlier may arrive inside a nested loop of the running input: it waits.
    if (busy() || queue_.empty()) {
        return;
    }
    const std::function<void()> input = std::move(queue_.front());
    queue_.pop_front();
    {
        Hold hold(*this);
        input();
    }
}

void InputGate::leave() {
    if (--depth_ > 0) {
        return;
    }
    if (afterInput_) {
        // What the window does afterwards (drawing, closing) is not interrupted either.
        ++depth_;
        afterInput_();
        --depth_;
    }
    schedule();
}

InputGate::Hold::Hold(InputGate& gate) : gate_(gate) {
    ++gate_.depth_;
}

InputGate::Hold::~Hold() {
    gate_.leave();
}

} // namespace orvalen::terminal
