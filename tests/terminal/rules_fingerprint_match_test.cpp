#include "terminal/rules/fingerprint_match.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

TEST(FingerprintMatchTest, RunsOnlyOnAnNBioReaderBeforeVerification) {
    const struct {
        const char* tec12;
        const char* readerSwitch;
        const char* type;
        int mode;
        bool runs;
    } cases[] = {
        {"Não", "Sim", "1", 0, true},  {"Sim", "Sim", "1", 0, false}, {"Sim", "Sim", "1", 1, true},
        {"Não", "Não", "1", 0, false}, {"Não", "Sim", "0", 0, false}, {"Não", "Sim", "1", 3, false},
        {"Não", "Sim", "1", 2, true},
    };
    for (const auto& c : cases) {
        const FingerprintMatchFacts facts{QString::fromUtf8(c.tec12),
                                          QString::fromUtf8(c.readerSwitch),
                                          QString::fromUtf8(c.type), c.mode};
        EXPECT_EQ(fingerprintMatchRuns(facts), c.runs)
            << c.tec12 << " " << c.readerSwitch << " " << c.type << " " << c.mode;
    }
}

} // namespace
} // namespace orvalen::terminal::rules
