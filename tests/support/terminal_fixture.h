#pragma once

#include "support/qstring_printer.h"
#include "support/screen_services.h"
#include "support/test_database.h"
#include "terminal/log_writer.h"
#include "terminal/terminal_screen.h"

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QString>
#include <QVariant>
#include <memory>

namespace orvalen::test {

// Settings columns as a test writes them; the rest keep the defaults of a plain
// keyboard terminal without turnstile.
using SettingValues = QMap<QString, QVariant>;

// A club database with both settings rows and an open cash period, and a terminal screen
// on it driven through the test services. Rows go to the real database.
class TerminalFixture {
public:
    explicit TerminalFixture(const SettingValues& sacvar = {}, const SettingValues& sacvar2 = {},
                             Route route = Route::Direct);

    TestDatabase& db() { return db_; }
    terminal::TerminalScreen& screen() { return *screen_; }
    terminal::ScreenState& state() { return screen_->state(); }
    terminal::TerminalUnit& unit() { return unit_; }

    // Creates the screen and runs its start-up (FormCreate, FormShow, FormActivate).
    terminal::TerminalScreen& show(int width = 1024, int height = 768);

    void addStudent(const QString& matricula, const QString& nome,
                    const QDate& born = QDate(1990, 5, 15), bool active = true);
    void addPhoto(const QString& matricula, const QByteArray& jpeg);
    void addEmployee(const QString& matricula, const QString& nome);
    void addAccessRow(const QString& matricula, const QString& status, const QString& obs);

    // Types the text into the entry field and presses Enter, as at the keyboard.
    void type(const QString& text);

    // Values read back from the database.
    int count(const QString& table);
    QVariant value(const QString& sql);

    QDate businessDate{2026, 3, 10};
    SettableClock clock;
    RecordingPump pump{clock};
    ScriptedAviso aviso;
    RecordingErrorLog errorLog;
    RecordingReaderLine readerLine;
    terminal::ReaderLine* line = nullptr; // a real reader line instead of the recording one
    RecordingFingerprint fingerprint;
    terminal::TerminalUnit unit_;

private:
    TestDatabase db_;
    std::unique_ptr<terminal::DatabaseLogWriter> writer_;
    std::unique_ptr<terminal::TerminalScreen> screen_;
};

// A small JPEG of the given colour.
QByteArray jpegOf(const QColor& colour, int width = 40, int height = 50);

} // namespace orvalen::test
