#include "hardware/bit_operations.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

using namespace orvalen::hardware;

namespace {

TEST(BitOperationsTest, SetsAndClearsOneBitLeavingTheOthers) {
    struct Case {
        std::uint8_t value;
        std::uint8_t bit;
        std::uint8_t set;
        std::uint8_t cleared;
    };
    const Case cases[] = {
        {0x00, 1, 0x02, 0x00}, // the turnstile bit from rest
        {0x02, 1, 0x02, 0x00}, // already set / already clear: unchanged
        {0xFF, 1, 0xFF, 0xFD}, {0x81, 0, 0x81, 0x80}, {0x01, 7, 0x81, 0x01},
        {0x80, 7, 0x80, 0x00}, {0x5A, 8, 0x5A, 0x5A}, // no such bit in a byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LigaBit(c.value, c.bit), c.set) << int(c.value) << " bit " << int(c.bit);
        EXPECT_EQ(DesligaBit(c.value, c.bit), c.cleared) << int(c.value) << " bit " << int(c.bit);
    }
}

TEST(BitOperationsTest, WritesTheByteMostSignificantBitFirst) {
    const std::pair<std::uint8_t, const char*> cases[] = {{0x02, "00000010"}, {0x00, "00000000"},
                                                          {0xFF, "11111111"}, {0x80, "10000000"},
                                                          {0x01, "00000001"}, {0xA5, "10100101"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ByteParaStrBin(value), QLatin1String(text)) << int(value);
    }
}

} // namespace
