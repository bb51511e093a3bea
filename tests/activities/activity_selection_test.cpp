#include "activities/access_point_file.h"
#include "activities/activity_selection.h"
#include "shell/recording_aviso.h"
#include "support/test_database.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::activities {
namespace {

class ActivitySelectionTest : public ::testing::Test {
protected:
    ActivitySelectionTest() {
        db.exec(QStringLiteral("INSERT INTO ATIVIDADES (CODIGO, DESCRICAO) VALUES ('10', 'Yoga'), "
                               "('03', 'Pilates'), ('01', 'Natação'), ('02', 'Musculação')"));
    }

    QString file() const { return dir.filePath(QStringLiteral("Acesso.txt")); }
    void writeFile(const QByteArray& content) {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray fileContent() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QStringList ticked(ActivitySelection& dialog) {
        QStringList out;
        for (const ActivityItem& item : dialog.LBXATIVIDADES()) {
            if (item.checked) {
                out.append(item.text);
            }
        }
        return out;
    }

    test::TestDatabase db;
    store::LocalSettings local;
    test::RecordingAviso aviso;
    QTemporaryDir dir;
};

TEST_F(ActivitySelectionTest, TicksTheCodesAtOddPositionsOfTheFile) {
    const QString natacao = QStringLiteral("01-Natação");
    const QString pilates = QStringLiteral("03-Pilates");
    const QString yoga = QStringLiteral("10-Yoga");
    struct Case {
        const char* name;
        QByteArray content; // empty: no file
        QStringList ticked;
    };
    const Case cases[] = {
        {"no file: nothing ticked", {}, {}},
        {"one line", "0103\r\n", {natacao, pilates}},
        {"one code per line", "01\r\n03\r\n", {natacao, pilates}},
        {"a longer line shifts the codes after it", "015\r\n03\r\n", {natacao}},
        {"only odd positions count", "X0103", {yoga}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file());
        if (!c.content.isEmpty()) {
            writeFile(c.content);
        }
        ActivitySelection dialog(db.connection(), local, aviso, file());
        ASSERT_TRUE(dialog.FormShow());
        ASSERT_EQ(dialog.LBXATIVIDADES().size(), 4);
        EXPECT_EQ(dialog.LBXATIVIDADES().first().text, natacao); // ascending code
        EXPECT_EQ(ticked(dialog), c.ticked);
    }
    EXPECT_TRUE(aviso.shown.isEmpty());
}

TEST_F(ActivitySelectionTest, ConfirmWritesTheTickedCodesInListOrderOrRemovesTheFilter) {
    writeFile("10\r\n");
    ActivitySelection dialog(db.connection(), local, aviso, file());
    ASSERT_TRUE(dialog.FormShow());
    auto& items = dialog.LBXATIVIDADES();
    items[2].checked = true; // 03, ticked first
    items[0].checked = true; // 01
    items[3].checked = false;
    dialog.BBNCONFIRMAClick();
    EXPECT_EQ(fileContent(), QByteArray("0103\r\n"));

    for (ActivityItem& item : items) {
        item.checked = false;
    }
    dialog.BBNCONFIRMAClick();
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_TRUE(aviso.shown.isEmpty());
}

TEST_F(ActivitySelectionTest, FailuresShowTheirMessages) {
    ActivitySelection unwritable(db.connection(), local, aviso,
                                 dir.filePath(QStringLiteral("gone/Acesso.txt")));
    ASSERT_TRUE(unwritable.FormShow());
    unwritable.LBXATIVIDADES()[0].checked = true;
    unwritable.BBNCONFIRMAClick();
    EXPECT_EQ(aviso.shown,
              QStringList{QStringLiteral("!|Gravando na tabela !|Gravando Acesso.txt !")});

    aviso.shown.clear();
    db.exec(QStringLiteral("DROP TABLE ATIVIDADES"));
    ActivitySelection noTable(db.connection(), local, aviso, file());
    EXPECT_FALSE(noTable.FormShow());
    EXPECT_EQ(aviso.shown, QStringList({QStringLiteral("!|Abertura de tabela !|Atividades"),
                                        QStringLiteral("!|Registro já alocado|")}));
}

} // namespace
} // namespace orvalen::activities
