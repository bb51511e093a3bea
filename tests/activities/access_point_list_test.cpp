#include "activities/access_point_file.h"
#include "support/terminal_fixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

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

} // namespace
} // namespace orvalen::activities
