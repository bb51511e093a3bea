#include "shell/single_instance.h"
#include "test_application.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

TEST(SingleInstance, ASecondCopyAsksTheFirstToComeForwardAndAnotherNameIsAnotherApplication) {
    test::ensureApplication();
    QTemporaryDir folder;

    SingleInstance first(QStringLiteral("orvalen-terminal"), folder.path());
    int raised = 0;
    first.onRaiseRequest([&] { ++raised; });
    ASSERT_TRUE(first.claim());

    SingleInstance second(QStringLiteral("orvalen-terminal"), folder.path());
    EXPECT_FALSE(second.claim());
    QElapsedTimer waited;
    waited.start();
    while (raised == 0 && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(raised, 1);

    SingleInstance renamed(QStringLiteral("orvalen-terminal-copy"), folder.path());
    EXPECT_TRUE(renamed.claim());
}

} // namespace
} // namespace orvalen::shell
