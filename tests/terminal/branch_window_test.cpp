#include "support/application.h"
#include "support/second_unit.h"
#include "support/terminal_fixture.h"
#include "terminal/window/branch_list.h"
#include "terminal/window/observation_panel.h"
#include "terminal/window/terminal_window.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

void mouse(QWidget* target, QEvent::Type type, const QPoint& at) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void click(QWidget* target, const QPoint& at) {
    mouse(target, QEvent::MouseButtonPress, at);
    mouse(target, QEvent::MouseButtonRelease, at);
}

void doubleClick(QWidget* target, const QPoint& at) {
    click(target, at);
    mouse(target, QEvent::MouseButtonDblClick, at);
    mouse(target, QEvent::MouseButtonRelease, at);
}

void type(QWidget* window, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent down(QEvent::KeyPress, c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A,
                       Qt::NoModifier, QString(c));
        QApplication::sendEvent(window, &down);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, s("\r"));
    QApplication::sendEvent(window, &enter);
}

void save(QWidget& window, const char* name) {
    if (const QString dir = qEnvironmentVariable("ORVALEN_SCREENS"); !dir.isEmpty()) {
        QDir().mkpath(dir);
        window.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + s(".png"));
    }
}

// An operator notes who comes, chooses the second unit from the list and the unit's member
// types his number: all by clicks and keys on the window.
TEST(BranchWindow, NoteAndUnitChosenByClicksAndKeys) {
    ensureApplication();
    TerminalFixture club;
    SecondUnit unit(club);
    SecondUnit::listUnit(club, 1, s("Unidade Centro"), club.db().file());
    unit.addStudent(s("0000050001"), s("JOANA JARDIM"));
    auto& screen = club.show();
    terminal::TerminalWindow window(screen);
    window.resize(1024, 768);
    window.show();
    window.render();

    auto* note = window.findChild<QPushButton*>(s("BBNOBS"));
    auto* panel = window.findChild<terminal::ObservationPanel*>(s("PNLOBSERVACAO"));
    ASSERT_NE(note, nullptr);
    ASSERT_NE(panel, nullptr);
    click(note, note->rect().center());
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry().center(), window.rect().center());
    EXPECT_FALSE(note->isEnabled());
    type(&window, s("Portao 5")); // the digit starts nothing; Enter closes the panel
    save(window, "observation-typed");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(screen.state().EDTOBSERVACAO.text, s("Portao 5"));
    EXPECT_TRUE(note->isEnabled());
    EXPECT_EQ(club.count(s("AcessoDia")), 0);

    auto* branch = window.findChild<QPushButton*>(s("BBNFILIAL"));
    auto* list = window.findChild<terminal::BranchList*>(s("DBGFILIAL"));
    ASSERT_NE(branch, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(branch->isVisible());
    click(branch, branch->rect().center());
    ASSERT_TRUE(list->isVisible());
    // Right side 10 pixels from the screen's edge, bottom 90 pixels above the bottom.
    EXPECT_EQ(list->geometry().right() + 1, 1024 - 10);
    EXPECT_EQ(list->geometry().bottom() + 1, 768 - 90);
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), s("Filial"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), s("Nome"));
    EXPECT_EQ(list->model()->index(1, 0).data().toString(), s("7"));
    save(window, "unit-list");

    doubleClick(list->viewport(), list->visualRect(list->model()->index(1, 1)).center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(branch->isEnabled());
    EXPECT_TRUE(club.aviso.boxes.empty());

    type(&window, s("50001"));
    EXPECT_EQ(club.value(s("SELECT CODIGO_FILIAL FROM Acesso")).toDouble(), SecondUnit::kCode);
    EXPECT_EQ(club.value(s("SELECT OBS FROM Acesso")).toString(), s("Portao 5"));
    EXPECT_EQ(club.value(s("SELECT NOME FROM AcessoDia")).toString(), s("JOANA JARDIM"));
    EXPECT_TRUE(branch->isEnabled()); // back on the own unit after the reset
}

} // namespace
} // namespace orvalen::test
