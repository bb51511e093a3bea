#include "shell/application.h"

#include "contingency/copy_refresher.h"
#include "shell/aviso_box.h"
#include "shell/exception_log.h"
#include "shell/login_dialog.h"
#include "shell/main_connection.h"
#include "shell/main_window.h"
#include "shell/single_instance.h"
#include "shell/splash_window.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextStream>

namespace orvalen::shell {

int runApplication(GuardedApplication& app, const TerminalFactory& terminalFactory,
                   const StartOptions& options) {
    SingleInstance instance(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!instance.claim()) {
        return 0; // the first copy was asked to come forward; nothing is shown here
    }

    const QString folder = store::dataLinkFolder(app.arguments());
    AvisoBox aviso;
    auto local = store::LocalSettings::load(folder);
    if (!local.ok()) {
        aviso.AVISO(QStringLiteral("!"), QStringLiteral("Erro na configuração local !"),
                    local.error().message);
        return 1;
    }
    ExceptionLogFile log(
        exceptionLogPath(QCoreApplication::applicationFilePath(), local->exceptionLogPath));
    app.setErrorLog(&log);
    if (!local->contingency.problem.isEmpty()) {
        log.record(local->contingency.problem + QStringLiteral(": contingency stays off"));
    }

    auto splash = std::make_unique<SplashWindow>(options.splashMs);
    splash->exec();

    // Started while the club database is away: login, cash check and decisions from a copy
    // young enough, when contingency is on.
    std::unique_ptr<contingency::AwaySwitch> away;
    auto awaySwitch = [&](store::ClubConnection& connection) {
        return std::make_unique<contingency::AwaySwitch>(connection, local->contingency, log,
                                                         &QDateTime::currentDateTime);
    };
    const auto connection = connectMainDatabase(
        local.value(), aviso, [&](store::ClubConnection& unopened, const QString& why) {
            away = awaySwitch(unopened);
            if (!away->switchToCopy(why)) {
                away.reset();
            }
            return away != nullptr;
        });
    if (!connection) {
        return 1;
    }
    if (!away && local->contingency.enabled) {
        away = awaySwitch(*connection);
    }
    std::unique_ptr<contingency::CopyRefresher> refresher;
    if (away) {
        refresher = std::make_unique<contingency::CopyRefresher>(
            away->clubSpec(), local->contingency, away->replaceGate(), log);
        refresher->start();
    }
    terminal::TerminalUnit unit;
    const ShellContext context{*connection, local.value(), unit, aviso, log, away.get()};
    MainWindow window(context, terminalFactory);
    aviso.setParent(&window);
    instance.onRaiseRequest([&window] {
        window.showMaximized();
        window.raise();
        window.activateWindow();
        if (QWidget* screen = window.terminalScreen()) {
            screen->raise();
            screen->activateWindow();
        }
    });
    // Without a window manager "maximised" means nothing: the screen's area is taken directly.
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.showMaximized();
    window.activateWindow();
    window.FormShow();
    window.repaint();

    {
        LoginLogic logic(*connection, local.value(), aviso, unit,
                         [] { return QDate::currentDate(); });
        LoginDialog login(logic, &window);
        login.exec();
        if (!login.loggedIn()) {
            return 0; // refused, or a table could not be opened: the application ends
        }
    }
    splash.reset();
    window.activateWindow(); // the keyboard goes back to the menu once the login is gone
    return app.exec();
}

} // namespace orvalen::shell
