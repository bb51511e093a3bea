#include "activities/access_point_file.h"
#include "support/decision_harness.h"
#include "support/odd_files.h"
#include "support/terminal_fixture.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace orvalen::activities {
namespace {

using namespace Qt::StringLiterals;

// The terminal screen reads Acesso.txt once, when it starts.
TEST(AccessPointList, TheTerminalReadsTheFileIntoItsSlotsAtStartUp) {
    struct Case {
        const char* name;
        QByteArray content; // empty: no file
        int pieces;
        bool filter;
        QStringList first = {}; // the first pieces, when given
    };
    QByteArray overLong;
    for (int i = 0; i < 120; ++i) {
        overLong += "01";
    }
    const Case cases[] = {
        {"no file: no filter", {}, 0, false},
        {"two codes and the line break", "0103\r\n", 3, true, {u"01"_s, u"03"_s, u"\r\n"_s}},
        {"one code per line as Linux editors write it",
         "03\n07\n",
         4,
         true,
         {u"03"_s, u"\r\n"_s, u"07"_s, u"\r\n"_s}},
        {"a file longer than the list fills it and stops", overLong + "\r\n", kAccessPointSlots,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TerminalFixture terminal;
        if (!c.content.isEmpty()) {
            QFile file(
                QDir(terminal.db().folder()).filePath(QString::fromLatin1(kAccessPointFileName)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        terminal.show();
        EXPECT_EQ(terminal.unit().accessPointCodes.size(), c.pieces);
        EXPECT_EQ(terminal.screen().PBooPontoAcesso, c.filter);
        if (!c.first.isEmpty()) {
            EXPECT_EQ(terminal.unit().accessPointCodes.mid(0, c.first.size()), c.first);
        }
    }
}

// A door whose Acesso.txt is there but cannot be read admits nobody by activity and says why
// in the exception log; only an absent file lets every activity in.
TEST(AccessPointList, AFileThatCannotBeReadAdmitsNobodyByActivity) {
    const QString student = u"0000000101"_s;
    const auto identify = [&](const std::function<void(const QString& file)>& place) {
        auto h = std::make_unique<test::DecisionHarness>();
        h->addStudent(student);
        h->insert("ALUNOSATIVIDADES", {{u"MATRICULA"_s, student}, {u"ATIVIDADE"_s, u"05"_s}});
        const QString file =
            QDir(h->db.folder()).filePath(QString::fromLatin1(kAccessPointFileName));
        place(file);
        h->open();
        h->identifyStudent(student);
        return h;
    };

    const auto absent = identify([](const QString&) {});
    EXPECT_EQ(absent->outputs.pulses.size(), 1u) << "no file: every activity is admitted";
    EXPECT_TRUE(absent->errorLog.messages.isEmpty());

    for (const test::OddFileCase& odd : test::kOddFiles) {
        SCOPED_TRACE(odd.name);
        QString file;
        const auto h = identify([&](const QString& path) {
            file = path;
            test::placeOddFile(path, odd.kind);
        });
        EXPECT_TRUE(h->outputs.pulses.empty()) << "the turnstile was released";
        EXPECT_TRUE(h->observer.statusTexts.contains(u"Sem Acesso a Atividade"_s))
            << h->observer.statusTexts.join(u" | "_s).toStdString();
        ASSERT_EQ(h->errorLog.messages.size(), 1)
            << h->errorLog.messages.join(u" | "_s).toStdString();
        EXPECT_TRUE(h->errorLog.messages[0].contains(file))
            << h->errorLog.messages[0].toStdString();
    }
}

} // namespace
} // namespace orvalen::activities
