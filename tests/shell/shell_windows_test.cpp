#include "recording_aviso.h"
#include "shell/about_box.h"
#include "shell/activities_dialog.h"
#include "shell/login_dialog.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"
#include "store/db_values.h"
#include "support/test_database.h"
#include "test_application.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

class NullLog : public store::ErrorLog {
public:
    void record(const QString& message) override { recorded.append(message); }
    QStringList recorded;
};

// The shell's windows on the offscreen platform over a small club. With ORVALEN_SCREENS_DIR
// set, each window is also saved as a picture there for a look by eye.
class ShellWindowsTest : public ::testing::Test {
protected:
    ShellWindowsTest() {
        test::ensureApplication();
        local.folder = folder.path();
        db.exec(QStringLiteral(
            "INSERT INTO Usuarios (CODIGO, NOME, SENHA) VALUES ('01', 'ANA LIMA', 'ABC')"));
        db.exec(QStringLiteral(
            "INSERT INTO Sacvar (CLIENTE, ACADEMIA, ENDERACADEMIA, COMPLEMENTO1, CNPJCPF) VALUES "
            "(12, 'Academia Orvalen', 'Rua das Palmeiras, 120', 'Centro - Campinas', "
            "'12.345.678/0001-90')"));
        db.exec(QStringLiteral("INSERT INTO Sacvar2 (FILIAL, LEITOR_BIOMETRICO, INSC_MUNICIPAL) "
                               "VALUES ('01', 'Não', '998877')"));
        db.exec(
            QStringLiteral("INSERT INTO ATIVIDADES (CODIGO, DESCRICAO) VALUES ('01', 'Natação'), "
                           "('02', 'Musculação'), ('03', 'Pilates')"));
        db.exec(QStringLiteral(
                    "INSERT INTO CaixaControle (DATA, CONTADORPDR, ABERTO) VALUES (:D, 1, 1)"),
                {{QStringLiteral(":D"),
                  store::dateValue(db.connection().dialect(), QDate::currentDate())}});
    }

    void save(QWidget& widget, const char* name) {
        const QString dir = qEnvironmentVariable("ORVALEN_SCREENS_DIR");
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            widget.grab().save(dir + QLatin1Char('/') + QLatin1String(name) +
                               QStringLiteral(".png"));
        }
    }

    static void press(QWidget* target, int key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &down);
    }

    test::TestDatabase db;
    QTemporaryDir folder;
    store::LocalSettings local;
    terminal::TerminalUnit unit;
    test::RecordingAviso aviso;
    NullLog log;
};

TEST_F(ShellWindowsTest, LoginThenAbrirOpensTheTerminalScreenAndItsClosingFreesTheItem) {
    int created = 0;
    const ShellContext context{db.connection(), local, unit, aviso, log};
    MainWindow window(context, [&](const ShellContext&, QWidget* parent) -> QWidget* {
        ++created;
        auto* screen = new QWidget(parent, Qt::Window);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
        return screen;
    });
    window.resize(1024, 700);
    window.show();
    window.FormShow();
    EXPECT_FALSE(unit.cashOpen);

    LoginLogic logic(db.connection(), local, aviso, unit, [] { return QDate::currentDate(); });
    LoginDialog login(logic, &window);
    login.show();
    QApplication::processEvents();
    ASSERT_EQ(logic.codeAttempts(), 1) << "the tables open when the dialog is shown";
    EXPECT_FALSE(login.passwordField()->isEnabled());

    press(&login, Qt::Key_Escape); // the dialog refuses to close before a login
    EXPECT_TRUE(login.isVisible());
    login.codeField()->setText(QStringLiteral("01"));
    press(login.codeField(), Qt::Key_Return);
    EXPECT_TRUE(login.passwordField()->isEnabled());
    login.passwordField()->setText(QStringLiteral("ABC"));
    EXPECT_EQ(login.passwordField()->displayText(), QStringLiteral("***"));
    save(login, "login");
    press(login.passwordField(), Qt::Key_Escape); // Esc submits like Enter
    EXPECT_TRUE(login.loggedIn());
    EXPECT_FALSE(login.isVisible());
    EXPECT_EQ(unit.operatorCode, QStringLiteral("01"));
    EXPECT_TRUE(aviso.shown.isEmpty());
    save(window, "main-window");

    window.MNACESSO->trigger();
    ASSERT_EQ(created, 1);
    EXPECT_FALSE(window.MNACESSO->isEnabled());
    EXPECT_TRUE(window.MNACESSO->isChecked());
    window.terminalScreen()->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.MNACESSO->isEnabled());
    EXPECT_FALSE(window.MNACESSO->isChecked());

    // A cash period left from yesterday: the message, and the main window closes.
    unit.cashToday = false;
    window.MNACESSO->trigger();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(aviso.texts(),
              QStringList{QStringLiteral("Por favor fechar o CAIXA do dia anterior!")});
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ShellWindowsTest, DialogsShowTheClubsData) {
    activities::ActivitySelection selection(db.connection(), local, aviso,
                                            folder.filePath(QStringLiteral("Acesso.txt")));
    ActivitiesDialog activitiesDialog(selection);
    ASSERT_TRUE(activitiesDialog.prepare());
    ASSERT_EQ(activitiesDialog.list()->count(), 3);
    EXPECT_EQ(activitiesDialog.list()->item(1)->text(), QStringLiteral("02-Musculação"));
    activitiesDialog.list()->item(2)->setCheckState(Qt::Checked);
    activitiesDialog.show();
    save(activitiesDialog, "activities");
    activitiesDialog.confirm();
    QFile written(folder.filePath(QStringLiteral("Acesso.txt")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("03\r\n"));

    EXPECT_TRUE(aviso.shown.isEmpty());
}

// The texts of a window's labels, pictures left out.
QStringList labelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts << label->text();
        }
    }
    return texts;
}

TEST_F(ShellWindowsTest, AboutBoxShowsTheClubAndClosesOnItsPicture) {
    AboutBox about(loadAboutTexts(db.connection(), local, aviso));
    about.show();
    QApplication::processEvents();
    save(about, "about");
    EXPECT_TRUE(aviso.shown.isEmpty());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Sobre"));
    EXPECT_EQ(about.size(), QSize(413, 210));
    const QStringList texts = labelTexts(about);
    for (const char* expected :
         {"Versão: 9.26", "Filial: 01", "Rua das Palmeiras, 120", "Centro - Campinas"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected)))
            << expected << " not in " << texts.join(u'|').toStdString();
    }
    const auto lineWith = [&texts](const QString& first, const QString& second) {
        return std::any_of(texts.begin(), texts.end(), [&](const QString& text) {
            return text.contains(first) && text.contains(second);
        });
    };
    EXPECT_TRUE(lineWith(QStringLiteral("12"), QStringLiteral("Academia Orvalen")));
    EXPECT_TRUE(lineWith(QStringLiteral("CNPJ"), QStringLiteral("12.345.678/0001-90")));
    EXPECT_TRUE(lineWith(QStringLiteral("Insc. Municipal"), QStringLiteral("998877")));

    QLabel* picture = nullptr;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            picture = label;
        }
    }
    ASSERT_NE(picture, nullptr);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5),
                        picture->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(picture, &release);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(ShellWindowsTest, SplashIsAWhiteBorderlessPictureThatClosesItself) {
    SplashWindow splash(300);
    QElapsedTimer shown;
    shown.start();
    splash.show();
    QApplication::processEvents();
    save(splash, "splash");
    EXPECT_EQ(splash.size(), QSize(410, 208));
    const QRect screenArea = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash.frameGeometry().center() - screenArea.center()).manhattanLength(), 1);
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.grab().toImage().pixelColor(2, 2), QColor(Qt::white));

    while (splash.isVisible() && shown.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_FALSE(splash.isVisible());
    EXPECT_GE(shown.elapsed(), 290) << "closed before its time";
}

// While a menu's window is open its item is disabled and checked; closing the window gives
// the item back.
TEST_F(ShellWindowsTest, MenuItemIsHeldWhileItsDialogIsOpen) {
    const ShellContext context{db.connection(), local, unit, aviso, log};
    MainWindow window(context, {});
    window.show();
    for (QAction* item : {window.MNATIVIDADES, window.MNSobre}) {
        SCOPED_TRACE(item->objectName().toStdString());
        bool sawDialog = false;
        QTimer::singleShot(0, &window, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            sawDialog = true;
            EXPECT_FALSE(item->isEnabled());
            EXPECT_TRUE(item->isChecked());
            dialog->close();
        });
        item->trigger();
        EXPECT_TRUE(sawDialog);
        EXPECT_TRUE(item->isEnabled());
        EXPECT_FALSE(item->isChecked());
    }
    EXPECT_TRUE(aviso.shown.isEmpty());
}

} // namespace
} // namespace orvalen::shell
