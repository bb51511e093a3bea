#include "support/application.h"
#include "support/terminal_fixture.h"
#include "terminal/window/terminal_window.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

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

// A mouse click at a point of a widget, as the window system delivers it.
void click(QWidget* widget, const QPoint& at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

// A name search shows the list on the window, with these students in it.
struct NameSearch {
    NameSearch() {
        ensureApplication();
        f.addStudent(QStringLiteral("0000010371"), QStringLiteral("MARIA LIVIA"));
        f.addStudent(QStringLiteral("0000010372"), QStringLiteral("MARIANA"));
        f.addStudent(QStringLiteral("0000010373"), QStringLiteral("MARINA"));
        f.addEmployee(QStringLiteral("0000000101"), QStringLiteral("JOSE"));
        f.show();
        window = std::make_unique<terminal::TerminalWindow>(f.screen());
        window->resize(1024, 768);
        window->show();
        f.screen().keyPressed(0, QLatin1Char('M')); // the first key opens the entry
        f.screen().PNLNOMEClick();
        for (const QChar key : QStringLiteral("MAR")) {
            f.screen().keyPressed(0, key);
        }
        window->render();
        list = window->findChild<QTableView*>(QStringLiteral("DBGALUNOS"));
    }
    // Where the window sends a click at the middle of a row of the list.
    QPoint rowCentre(int row) const {
        return QPoint(list->viewport()->width() / 2,
                      list->rowViewportPosition(row) + list->rowHeight(row) / 2);
    }
    TerminalFixture f;
    std::unique_ptr<terminal::TerminalWindow> window;
    QTableView* list = nullptr;
};

// Every row the list shows takes a click, the first ones too: nothing of the student details
// lies over them.
TEST(TerminalWindow, EveryShownRowOfTheListTakesClicks) {
    NameSearch search;
    ASSERT_TRUE(search.list != nullptr && search.list->isVisible());
    ASSERT_GE(search.list->model()->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        const QPoint inWindow =
            search.list->viewport()->mapTo(search.window.get(), search.rowCentre(row));
        QWidget* hit = search.window->childAt(inWindow);
        EXPECT_TRUE(hit == search.list->viewport() || search.list->isAncestorOf(hit))
            << "row " << row << " is covered by " << (hit ? hit->metaObject()->className() : "-");
    }
    click(search.list->viewport(), search.rowCentre(1));
    EXPECT_EQ(search.f.screen().students().position(), 1);
    EXPECT_EQ(search.f.state().focus, QStringLiteral("DBGALUNOS"));
}

// Once a row was clicked, a click on the entry field gives it the typing back: Enter then
// decides what was typed, not the row the list highlights.
TEST(TerminalWindow, AClickOnTheEntryFieldTakesTheTypingBackFromTheList) {
    NameSearch search;
    click(search.list->viewport(), search.rowCentre(0));
    ASSERT_EQ(search.f.state().focus, QStringLiteral("DBGALUNOS"));
    auto* entry = search.window->findChild<QLineEdit*>();
    click(entry, entry->rect().center());
    EXPECT_EQ(search.f.state().focus, QStringLiteral("EDTMATRICULA"));
    // Esc clears the search, Esc opens the entry afresh, and the employee's number follows.
    search.f.type(QString(2, QChar(terminal::kEscape)) + QStringLiteral("00101"));
    EXPECT_EQ(search.f.count(QStringLiteral("AcessoFuncionarios")), 1);
    EXPECT_EQ(search.f
                  .value(QStringLiteral("SELECT COUNT(*) FROM AcessoDia WHERE MATRICULA LIKE "
                                        "'00000103%'"))
                  .toInt(),
              0);
}

// PNLPERSONA: the last finger the reader captured, centred over the screen while shown.
TEST(TerminalWindow, DrawsTheCapturedFinger) {
    ensureApplication();
    TerminalFixture f;
    auto& screen = f.show();
    terminal::TerminalWindow window(screen);
    window.resize(1024, 768);
    window.show();
    QImage finger(200, 250, QImage::Format_RGB32);
    finger.fill(QColor(30, 30, 30));
    screen.state().ImagePersona = finger;
    screen.state().PNLPERSONA.visible = true;
    window.render();
    auto* panel = window.findChild<QLabel*>(QStringLiteral("PNLPERSONA"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    const QImage shot = window.grab().toImage();
    const QPoint centre = panel->geometry().center();
    EXPECT_TRUE(near(shot.pixelColor(centre), QColor(30, 30, 30)));
    EXPECT_LE(std::abs(centre.x() - 512), 2);
    EXPECT_LE(std::abs(centre.y() - 384), 2);

    screen.state().PNLPERSONA.visible = false;
    window.render();
    EXPECT_FALSE(panel->isVisible());
}

} // namespace
} // namespace orvalen::test
