#include "support/application.h"
#include "support/terminal_fixture.h"
#include "terminal/window/terminal_window.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

bool near(const QColor& seen, const QColor& wanted, int tolerance = 40) {
    return std::abs(seen.red() - wanted.red()) <= tolerance &&
           std::abs(seen.green() - wanted.green()) <= tolerance &&
           std::abs(seen.blue() - wanted.blue()) <= tolerance;
}

// The window draws a student's outcome: the photo whole and centred in its frame, the green status
// panel with its text, the grant picture, the name; the idle screen hides the panel again.
TEST(TerminalWindow, DrawsAStudentOutcomeAndTheIdleScreen) {
    ensureApplication();
    TerminalFixture f;
    f.addStudent(QStringLiteral("0000000100"), QStringLiteral("ANA"));
    f.addPhoto(QStringLiteral("0000000100"), jpegOf(QColor(20, 40, 200), 80, 40));
    auto& screen = f.show();
    screen.keyPressed(0, QLatin1Char('1'));
    for (const QChar key : QStringLiteral("00")) {
        screen.keyPressed(0, key);
    }
    f.unit().photoFollow = true;
    screen.MOSTRA_FOTO();
    screen.MOSTRA_ACESSO(QStringLiteral("Acesso Livre"), terminal::colours::clBlack,
                         QStringLiteral("ANA"), 36);

    terminal::TerminalWindow window(screen);
    window.resize(1024, 768);
    window.show();
    window.render();
    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(
        near(shot.pixelColor(720 + 20, 324 + 26), terminal::colours::clGreen)); // status panel
    // The wide photo fills the frame's width, centred between blank bands above and below it.
    const QPoint photoArea(10 + 5, 6 + 18);
    EXPECT_TRUE(near(shot.pixelColor(photoArea + QPoint(124, 150)), QColor(20, 40, 200)));
    EXPECT_TRUE(near(shot.pixelColor(photoArea + QPoint(4, 150)), QColor(20, 40, 200)));
    EXPECT_FALSE(near(shot.pixelColor(photoArea + QPoint(124, 30)), QColor(20, 40, 200)));
    EXPECT_FALSE(near(shot.pixelColor(photoArea + QPoint(124, 270)), QColor(20, 40, 200)));
    bool statusText = false;
    bool nameText = false;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        statusText =
            statusText || (label->isVisible() && label->text() == QStringLiteral("Acesso Livre"));
        nameText = nameText || (label->isVisible() && label->text() == QStringLiteral("ANA"));
    }
    EXPECT_TRUE(statusText);
    EXPECT_TRUE(nameText);
    if (const QString dir = qEnvironmentVariable("ORVALEN_SCREENS"); !dir.isEmpty()) {
        QDir().mkpath(dir);
        shot.save(dir + QStringLiteral("/test-student-outcome.png"));
    }

    screen.LIMPA_TELA();
    window.render();
    const QImage idle = window.grab().toImage();
    EXPECT_FALSE(
        near(idle.pixelColor(720 + 20, 324 + 26), terminal::colours::clGreen)); // panel hidden
    EXPECT_FALSE(window.findChild<QLineEdit*>()->isVisible());
}

} // namespace
} // namespace orvalen::test
