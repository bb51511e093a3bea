#include "terminal/input_gate.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using terminal::InputGate;

// An event loop reduced to its queue: posted work runs when the test says so.
class PostingPump : public terminal::Pump {
public:
    void processEvents() override { runPosted(); }
    void wait(int) override { runPosted(); }
    void post(std::function<void()> work) override { posted.push_back(std::move(work)); }
    void runPosted() {
        while (!posted.empty()) {
            auto work = std::move(posted.front());
            posted.pop_front();
            work();
        }
    }
    std::deque<std::function<void()>> posted;
};

// Inputs run one at a time from the event loop: never inside the caller that handed them
// in, never inside another input, even when that one runs nested event loops; what arrives
// meanwhile waits or is dropped as it asks; the window hears after each.
TEST(InputGate, OneInputAtATimeFromTheEventLoop) {
    PostingPump pump;
    InputGate gate(pump);
    QStringList seen;
    int running = 0;
    int deepest = 0;
    gate.setAfterInput([&] { seen << QStringLiteral("after"); });
    const auto input = [&](const QString& name, std::function<void()> inside = {}) {
        return [&, name, inside] {
            deepest = std::max(deepest, ++running);
            seen << name;
            if (inside) {
                inside();
            }
            --running;
        };
    };

    gate.submit(input(QStringLiteral("card"), [&] {
        // A key, the release message and a tick arrive while the card is decided, and the
        // decision lets pending events run.
        gate.submit(input(QStringLiteral("key")), InputGate::WhenBusy::Drop);
        gate.submit(input(QStringLiteral("release")));
        gate.submit(input(QStringLiteral("tick")), InputGate::WhenBusy::Drop);
        pump.processEvents();
        seen << QStringLiteral("card done");
    }));
    EXPECT_TRUE(seen.isEmpty()) << "ran inside submit";
    pump.runPosted();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("card"), QStringLiteral("card done"),
                                 QStringLiteral("after"), QStringLiteral("release"),
                                 QStringLiteral("after")}));
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(gate.busy());

    // Work of the screen's own (its start, a close) holds inputs back the same way.
    seen.clear();
    {
        const InputGate::Hold starting(gate);
        gate.submit(input(QStringLiteral("reader")));
        pump.runPosted();
        EXPECT_TRUE(seen.isEmpty());
    }
    pump.runPosted();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("after"), QStringLiteral("reader"),
                                 QStringLiteral("after")}));
}

// The screen closes with an input still posted: the posted run finds the gate gone.
TEST(InputGate, APostedRunOutlivingTheGateDoesNothing) {
    PostingPump pump;
    bool ran = false;
    {
        InputGate gate(pump);
        gate.submit([&] { ran = true; });
    }
    pump.runPosted();
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace orvalen::test
