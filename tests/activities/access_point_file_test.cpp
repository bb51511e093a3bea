#include "activities/access_point_file.h"
#include "support/odd_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::activities {
namespace {

class AccessPointFileTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QString::fromLatin1(kAccessPointFileName)); }

    void writeRaw(const QByteArray& bytes) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readRaw() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

QStringList list(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* item : items) {
        out.append(QString::fromLatin1(item));
    }
    return out;
}

TEST_F(AccessPointFileTest, ReadsTwoCharacterPiecesWithTheLineBreakAsAPiece) {
    struct Case {
        const char* name;
        QByteArray content;
        QStringList pieces;
    };
    const Case cases[] = {
        {"one line", "0103\r\n", list({"01", "03", "\r\n"})},
        {"one code per line", "01\r\n03\r\n", list({"01", "\r\n", "03", "\r\n"})},
        // A line of three characters shifts what follows off the piece boundaries.
        {"odd line shifts later codes", "015\r\n03\r\n", list({"01", "5\r", "\n0", "3\r", "\n"})},
        {"line feed only", "01\n03\n", list({"01", "\r\n", "03", "\r\n"})},
        {"carriage return only", "01\r03\r", list({"01", "\r\n", "03", "\r\n"})},
        {"byte-order mark",
         "\xef\xbb\xbf"
         "0103\r\n",
         list({"01", "03", "\r\n"})},
        {"8-bit text", "0\xe9\r\n", list({"0\xe9", "\r\n"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeRaw(c.content);
        EXPECT_EQ(readAccessPointCodes(path()).value(), c.pieces);
    }
}

TEST_F(AccessPointFileTest, MissingOrEmptyFileIsNoFilterAndTheEmptyFileIsDeleted) {
    EXPECT_TRUE(readAccessPointCodes(path()).value().isEmpty());
    writeRaw(QByteArray());
    EXPECT_TRUE(readAccessPointCodes(path()).value().isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
}

// Only an absent file means "no filter": one that is there and cannot be read is an error.
TEST_F(AccessPointFileTest, FileThatCannotBeReadIsAnErrorNamingItNeverNoFilter) {
    for (const test::OddFileCase& odd : test::kOddFiles) {
        SCOPED_TRACE(odd.name);
        const QTemporaryDir folder;
        const QString file =
            QDir(folder.path()).filePath(QString::fromLatin1(kAccessPointFileName));
        test::placeOddFile(file, odd.kind);
        std::optional<store::Result<QStringList>> codes;
        test::finishesPromptly(file, [&] { codes = readAccessPointCodes(file); });
        ASSERT_TRUE(codes.has_value());
        ASSERT_FALSE(codes->ok()) << codes->value().join(u'|').toStdString();
        EXPECT_TRUE(codes->error().message.contains(file)) << codes->error().message.toStdString();
    }
}

TEST_F(AccessPointFileTest, LongerFileKeepsOnlyTheTerminalSlots) {
    QByteArray content;
    for (int i = 0; i < 150; ++i) {
        content += QByteArray::number(10 + i % 90);
    }
    content += "\r\n";
    writeRaw(content);
    const QStringList kept = readAccessPointCodes(path()).value();
    ASSERT_EQ(kept.size(), kAccessPointSlots);
    EXPECT_EQ(kept.first(), QStringLiteral("10"));
    EXPECT_EQ(kept.last(), QString::fromLatin1(content.mid(2 * (kAccessPointSlots - 1), 2)));
    EXPECT_EQ(readAccessPointCodes(path(), kAllPieces)->size(), 151);
}

TEST_F(AccessPointFileTest, WritesOneLineInListOrderAndReadsItBack) {
    struct Case {
        const char* name;
        QStringList codes;
        QByteArray content;
    };
    const Case cases[] = {
        {"two codes", list({"01", "03"}), "0103\r\n"},
        {"blanks at the ends removed", list({" 1", "03", "4 "}), "1034\r\n"},
        {"single code", list({"07"}), "07\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeAccessPointCodes(path(), c.codes).ok());
        EXPECT_EQ(readRaw(), c.content);
    }
    ASSERT_TRUE(writeAccessPointCodes(path(), list({"01", "03"})).ok());
    EXPECT_EQ(readAccessPointCodes(path()).value(), list({"01", "03", "\r\n"}));
}

TEST_F(AccessPointFileTest, EmptyChoiceDeletesTheFile) {
    writeRaw("0102\r\n");
    ASSERT_TRUE(writeAccessPointCodes(path(), {}).ok());
    EXPECT_FALSE(QFile::exists(path()));
    ASSERT_TRUE(writeAccessPointCodes(path(), list({"  "})).ok());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(AccessPointFileTest, WriteFailureIsAnErrorNamingTheFile) {
    const QString missingFolder = dir_.filePath(QStringLiteral("gone/Acesso.txt"));
    const store::Status status = writeAccessPointCodes(missingFolder, list({"01"}));
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().message.contains(missingFolder));
}

} // namespace
} // namespace orvalen::activities
