#include "terminal/rules/activity_labels.h"

#include <gtest/gtest.h>

namespace orvalen::terminal::rules {
namespace {

TEST(ActivityLabelsTest, TwelveLinesInOrderSkippingEmptyDescriptions) {
    QStringList fifteen;
    for (int i = 1; i <= 15; ++i)
        fifteen << QStringLiteral("Atividade %1").arg(i);
    const auto full = activityLabels(fifteen);
    EXPECT_EQ(full.front(), QStringLiteral("Atividade 1"));
    EXPECT_EQ(full.back(), QStringLiteral("Atividade 12"));

    const auto sparse =
        activityLabels({QStringLiteral("Natação"), QString(), QStringLiteral("Spinning")});
    EXPECT_EQ(sparse[0], QStringLiteral("Natação"));
    EXPECT_EQ(sparse[1], QStringLiteral("Spinning"));
    EXPECT_TRUE(sparse[2].isEmpty());
}

} // namespace
} // namespace orvalen::terminal::rules
