#include "contingency/switching_club.h"
#include "shell/away_strip.h"
#include "support/application.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

void letEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The strip across the terminal window: there, with the copy's day and time, while the
// decisions come from the copy; gone once the club database is back.
TEST(AwayStrip, ShownWhileAwayAndGoneWhenBack) {
    ensureApplication();
    SwitchingClub club;
    QWidget window;
    window.resize(1024, 768);
    window.show();
    shell::showAwayStrip(&window, *club.away);
    auto* strip = window.findChild<QLabel*>(QStringLiteral("PNLCONTINGENCIA"));
    ASSERT_NE(strip, nullptr);
    letEventsRun(700);
    EXPECT_FALSE(strip->isVisible());

    club.takeAway();
    ASSERT_TRUE(club.away->switchToCopy(QStringLiteral("test")));
    letEventsRun(700);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(strip->text(),
              QStringLiteral("Sem conexão com o banco — decisões pela cópia de 15/03 10:00"));
    EXPECT_EQ(strip->width(), window.width());

    club.bringBack();
    ASSERT_TRUE(club.away->tryBack());
    letEventsRun(700);
    EXPECT_FALSE(strip->isVisible());
}

} // namespace
} // namespace orvalen::test
