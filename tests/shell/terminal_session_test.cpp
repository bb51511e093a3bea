#include "shell/terminal_session.h"
#include "support/application.h"
#include "support/terminal_fixture.h"
#include "terminal/message_socket.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace orvalen::test {
namespace {

// The terminal screen as the main window opens it: the real window, its real pump (waits
// are nested event loops), the release-message socket and the message box, on a test club
// whose outcomes stay up for a short while.
class OpenTerminal {
public:
    OpenTerminal()
        : application((ensureApplication(), true)),
          f({{QStringLiteral("ACESSO_TEMPO"), QStringLiteral("400")},
             {QStringLiteral("ACESSO_PULSO"), QStringLiteral("300")}}) {
        // A runtime folder of this test's own: the socket name is the terminal's real one.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        local.folder = f.db().folder();
        window = shell::openTerminalScreen(
            shell::ShellContext{f.db().connection(), local, f.unit(), f.aviso, f.errorLog},
            nullptr);
    }
    ~OpenTerminal() {
        delete window.data();
        runFor(50);
    }

    // The application's event loop for a while (a window closed in it is deleted in it).
    static void runFor(int milliseconds) {
        runUntil([] { return false; }, milliseconds);
    }
    template <class Done> static bool runUntil(Done done, int milliseconds = 5000) {
        QElapsedTimer timer;
        timer.start();
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done() || timer.elapsed() >= milliseconds) {
                loop.quit();
            }
        });
        poll.start(20);
        loop.exec();
        return done();
    }

    void press(int key, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(window.data(), &event);
    }
    QPushButton* button(const QString& caption) {
        for (QPushButton* candidate : window->findChildren<QPushButton*>()) {
            if (candidate->text() == caption) {
                return candidate;
            }
        }
        return nullptr;
    }
    int rows() { return f.count(QStringLiteral("AcessoDia")); }

    bool application;
    QTemporaryDir runtime;
    TerminalFixture f;
    store::LocalSettings local;
    QPointer<QWidget> window;
};

// What comes in while the first visitor's outcome is on screen, and what the terminal must
// have done once everything has run: the first visitor's row alone, unless the input is
// one that lets a second person in afterwards.
struct InputDuringAnOutcome {
    const char* what;
    std::function<void(OpenTerminal&)> input;
    int rowsAfterwards;
    bool windowClosed;
};

TEST(TerminalSession, InputDuringAnOutcomeNeverRunsInsideIt) {
    const InputDuringAnOutcome cases[] = {
        {"Enter three times",
         [](OpenTerminal& t) {
             for (int i = 0; i < 3; ++i) {
                 t.press(Qt::Key_Return, QStringLiteral("\r"));
             }
         },
         1, false},
        {"F2, a second visitor", [](OpenTerminal& t) { t.press(Qt::Key_F2); }, 1, false},
        {"digits and Enter",
         [](OpenTerminal& t) {
             for (const QChar digit : QStringLiteral("100")) {
                 t.press(0, digit);
             }
             t.press(Qt::Key_Return, QStringLiteral("\r"));
         },
         1, false},
        {"the release message, which waits its turn",
         [](OpenTerminal&) {
             ASSERT_TRUE(terminal::sendTerminalMessage(QStringLiteral("0x400 1")).ok());
         },
         2, false},
        {"the operator's Teclado button, carried out afterwards",
         [](OpenTerminal& t) {
             QPushButton* keyboard = t.button(QStringLiteral("Teclado"));
             ASSERT_NE(keyboard, nullptr);
             keyboard->click();
         },
         1, false},
        {"Sair, carried out afterwards",
         [](OpenTerminal& t) {
             QPushButton* exit = t.button(QStringLiteral("Sair"));
             ASSERT_NE(exit, nullptr);
             exit->click();
         },
         1, true},
        {"the window system's close", [](OpenTerminal& t) { t.window->close(); }, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenTerminal t;
        ASSERT_TRUE(t.window && t.window->isVisible());
        // A visitor: the row is written, then the outcome stays up for 400 ms, and the
        // input comes in the middle of it.
        std::optional<int> rowsWhenItCame;
        t.press(Qt::Key_F2);
        QTimer::singleShot(200, t.window.data(), [&] {
            rowsWhenItCame = t.rows();
            c.input(t);
        });
        EXPECT_TRUE(t.runUntil([&] { return rowsWhenItCame.has_value(); }));
        EXPECT_EQ(rowsWhenItCame, 1);
        t.runFor(1200);
        EXPECT_EQ(t.rows(), c.rowsAfterwards);
        EXPECT_EQ(t.window.isNull(), c.windowClosed)
            << (t.window ? (t.window->isVisible() ? "visible" : "hidden") : "gone");
        if (!c.windowClosed) {
            // Ready for the next person.
            t.press(Qt::Key_F2);
            EXPECT_TRUE(t.runUntil([&] { return t.rows() == c.rowsAfterwards + 1; }));
        }
    }
}

// The desk's release message: the sender is gone before the visitor's wait ends. The
// terminal lives, writes the row once, and the next message works too.
TEST(TerminalSession, ReleaseMessageFromASenderThatIsGone) {
    OpenTerminal t;
    // The socket lies in the user's private runtime folder, where no other user can take
    // its name first.
    EXPECT_TRUE(QFileInfo(t.runtime.filePath(QStringLiteral("orvalen-terminal"))).exists());
    ASSERT_TRUE(terminal::sendTerminalMessage(QStringLiteral("0x400 1")).ok());
    EXPECT_TRUE(t.runUntil([&] { return t.rows() == 1; }));
    t.runFor(800);
    EXPECT_EQ(t.rows(), 1);
    ASSERT_TRUE(terminal::sendTerminalMessage(QStringLiteral("0x400 1")).ok());
    EXPECT_TRUE(t.runUntil([&] { return t.rows() == 2; }));
    t.runFor(800);
    EXPECT_EQ(t.rows(), 2);
    EXPECT_TRUE(t.window);
}

// A log row that cannot be written: "Gravando na tabela !", OK, and the screen closes once
// the handler has returned.
TEST(TerminalSession, OkAfterAFailedWriteClosesTheScreenCleanly) {
    OpenTerminal t;
    t.f.db().exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON AcessoDia "
                                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    QString shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(50);
    t.press(Qt::Key_F2);
    t.runUntil([&] { return t.window.isNull(); });
    t.runFor(300);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Gravando na tabela !"))) << shown.toStdString();
    EXPECT_TRUE(t.window.isNull());
    EXPECT_EQ(t.rows(), 0);
}

} // namespace
} // namespace orvalen::test
