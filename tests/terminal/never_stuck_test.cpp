#include "support/decision_harness.h"
#include "support/qstring_printer.h"

#include <functional>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

const QString kStudent = QStringLiteral("0000000101");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// An error somewhere inside one identification, and the next person after it.
struct StuckCase {
    const char* name;
    std::function<void(DecisionHarness&)> before; // before the screen opens
    std::function<void(DecisionHarness&)> after;  // once it is open
    const char* typed;
    const char* logged; // in the exception log
    int pulses;         // the turnstile opened for the failing identification
    const char* next;   // the following person
    bool nextLetIn;     // a visitor is let in (a row and a pulse); "999999" gets neither
};

void PrintTo(const StuckCase& c, std::ostream* os) {
    *os << c.name;
}

void noChange(DecisionHarness&) {}

const StuckCase kCases[] = {
    {"malformed_ACESSO_TEMPO_at_a_hold",
     [](DecisionHarness& h) {
         h.addStudent(kStudent, {{s("PENDENCIA"), 35.5}});
         h.setSacvar2("ACESSO_PENDENCIA_BLOQUEIO", s("Sim"));
         h.setSacvar("ACESSO_TEMPO", s("1,5s"));
     },
     noChange, "0000000101", "ACESSO_TEMPO", 0, "9999999999", true},
    {"malformed_ACESSO_PULSO_at_a_grant",
     [](DecisionHarness& h) {
         h.addStudent(kStudent);
         h.setSacvar("ACESSO_PULSO", s("700ms"));
     },
     noChange, "0000000101", "ACESSO_PULSO", 0, "999999", false},
    {"malformed_ACESSO_TEMPO_at_an_employee_refusal",
     [](DecisionHarness& h) {
         h.addEmployee(s("0000012345"), {{s("DATA_DEMISSAO"), QDate(2020, 1, 31)}});
         h.setSacvar("ACESSO_TEMPO", s("três"));
     },
     noChange, "0012345", "ACESSO_TEMPO", 0, "9999999999", true},
    {"database_error_in_the_student_decision", [](DecisionHarness& h) { h.addStudent(kStudent); },
     [](DecisionHarness& h) { h.db.exec(s("DROP TABLE RECEB")); }, "0000000101", "RECEB", 0,
     "9999999999", true},
    {"database_error_in_the_employee_lookup", noChange,
     [](DecisionHarness& h) { h.db.exec(s("DROP TABLE Funcionarios")); }, "0012345", "Funcionarios",
     0, "9999999999", true},
    {"device_error_at_the_pulse", [](DecisionHarness& h) { h.addStudent(kStudent); },
     [](DecisionHarness& h) { h.outputs.deviceError = s("converter: device removed"); },
     "0000000101", "converter: device removed", 0, "999999", false},
    {"device_error_at_a_visitor", noChange,
     [](DecisionHarness& h) { h.outputs.deviceError = s("converter: device removed"); },
     "9999999999", "converter: device removed", 0, "999999", false},
    // A photo that does not decode changes nothing in the decision: the paid-up student and
    // the employee are let in.
    {"student_photo_that_does_not_decode",
     [](DecisionHarness& h) {
         h.addStudent(kStudent);
         h.insert("FotosAlunos", {{s("MATRICULA"), kStudent}, {s("FOTO1"), QByteArray("GIF89a")}});
     },
     noChange, "0000000101", "FotosAlunos", 1, "9999999999", true},
    {"employee_photo_that_does_not_decode",
     [](DecisionHarness& h) {
         h.addEmployee(s("0000012345"));
         h.insert("FotosFuncionarios",
                  {{s("MATRICULA"), s("0000012345")}, {s("FOTO1"), QByteArray(300, '\xff')}});
     },
     noChange, "0012345", "FotosFuncionarios", 1, "9999999999", true},
};

class NeverStuck : public ::testing::TestWithParam<StuckCase> {};

// Whatever fails inside an identification, the exception log says what and the screen is
// idle again for the next person, who is served as usual.
TEST_P(NeverStuck, TheErrorIsLoggedAndTheNextPersonIsServed) {
    const StuckCase& c = GetParam();
    DecisionHarness h;
    c.before(h);
    h.open();
    c.after(h);
    h.type(s(c.typed));

    ASSERT_FALSE(h.errorLog.messages.isEmpty());
    EXPECT_TRUE(h.errorLog.messages.join(QLatin1Char('\n')).contains(s(c.logged)))
        << h.errorLog.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(h.aviso.boxes.empty());
    EXPECT_EQ(h.outputs.pulses.size(), std::size_t(c.pulses));
    expectIdle(h.screen().state());

    const int logged = h.errorLog.messages.size();
    const int dayRows = h.count(s("SELECT COUNT(*) FROM AcessoDia"));
    const std::size_t pulses = h.outputs.pulses.size();
    h.type(s(c.next));
    EXPECT_EQ(h.errorLog.messages.size(), logged)
        << h.errorLog.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(h.count(s("SELECT COUNT(*) FROM AcessoDia")), dayRows + (c.nextLetIn ? 1 : 0));
    EXPECT_EQ(h.outputs.pulses.size(), pulses + (c.nextLetIn ? 1 : 0));
    expectIdle(h.screen().state());
}

INSTANTIATE_TEST_SUITE_P(PathKinds, NeverStuck, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::test
