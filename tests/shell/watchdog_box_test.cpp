#include "shell/aviso_box.h"
#include "shell/watchdog.h"
#include "support/test_database.h"
#include "test_application.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

// Lets the window system map and paint what was shown.
void settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// The watchdog's box while the full-screen terminal is up: it belongs to the terminal's
// window, so that the window system keeps it above the terminal, where the operator sees
// it. Run under a real display (xvfb-run with QT_QPA_PLATFORM=xcb) the screen itself is
// checked at the box's centre; ORVALEN_SCREENS_DIR keeps that screenshot.
TEST(WatchdogBox, StandsOverTheFullScreenTerminal) {
    test::ensureApplication();
    test::TestDatabase db;
    const QString folder = db.folder();
    QMainWindow main;
    main.show();
    QWidget terminal(&main, Qt::Window);
    QPalette red;
    red.setColor(QPalette::Window, Qt::red);
    terminal.setPalette(red);
    terminal.setAutoFillBackground(true);
    // As the terminal session shows it: the screen's size first, since without a window
    // manager nothing else makes a window full-screen.
    terminal.resize(QGuiApplication::primaryScreen()->size());
    terminal.showFullScreen();
    terminal.activateWindow();
    settle();

    AvisoBox aviso(&main); // as the main window's watchdog has it
    Watchdog watchdog(db.connection(),
                      [&] {
                          return store::Result<store::ConnectionSpec>(
                              test::sqliteSpec(db.file(), test::Route::Direct));
                      },
                      aviso, {});
    db.connection().close();
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));

    bool seen = false;
    const auto inspect = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->parentWidget(), &terminal);
        EXPECT_TRUE(box->text().startsWith(QStringLiteral("Entre em contato com SUPORTE !")));
        settle();
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        if (const QString dir = qEnvironmentVariable("ORVALEN_SCREENS_DIR"); !dir.isEmpty()) {
            QDir().mkpath(dir);
            screen.save(dir + QStringLiteral("/watchdog_over_terminal.png"));
        }
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            const QImage shot = screen.toImage();
            const QRect frame = box->frameGeometry();
            EXPECT_NE(shot.pixelColor(frame.center()), QColor(Qt::red))
                << "the terminal covers the box";
            EXPECT_EQ(shot.pixelColor(frame.right() + 20, frame.bottom() + 20), QColor(Qt::red))
                << "the terminal is not on the screen around the box";
        }
        ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder));
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(100, &terminal, inspect);
    watchdog.Timer1Timer();

    EXPECT_TRUE(seen);
    EXPECT_TRUE(watchdog.enabled());
    EXPECT_TRUE(db.connection().isOpen());
}

} // namespace
} // namespace orvalen::shell
