#include "shell/aviso_box.h"
#include "shell/watchdog.h"
#include "support/test_database.h"
#include "test_application.h"

#include <QDir>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

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
    terminal.showFullScreen();
    terminal.activateWindow();
    QApplication::processEvents();

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
        QApplication::processEvents();
        const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
        if (const QString dir = qEnvironmentVariable("ORVALEN_SCREENS_DIR"); !dir.isEmpty()) {
            QDir().mkpath(dir);
            screen.save(dir + QStringLiteral("/watchdog_over_terminal.png"));
        }
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            const QPoint centre = box->frameGeometry().center();
            EXPECT_NE(screen.toImage().pixelColor(centre), QColor(Qt::red))
                << "the terminal covers the box";
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
