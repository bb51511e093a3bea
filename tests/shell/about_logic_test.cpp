#include "recording_aviso.h"
#include "shell/about_logic.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

TEST(AboutBox, ClubDataAndTheTwoTableMessages) {
    struct Case {
        const char* name;
        const char* dropped; // nullptr: both tables there
        QStringList shown;
        QString filial;
        QString academia;
    };
    const Case cases[] = {
        {"both tables",
         nullptr,
         {},
         QStringLiteral("Filial: 02"),
         QStringLiteral("Academia Orvalen")},
        {"Sacvar2 missing",
         "Sacvar2",
         {QStringLiteral("!|Abertura de tabela !|Controle2")},
         {},
         QStringLiteral("Academia Orvalen")},
        {"Sacvar missing", "Sacvar", {QStringLiteral("!|Abertura de tabela !|Conttole")}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestDatabase db;
        db.exec(QStringLiteral(
            "INSERT INTO Sacvar (CLIENTE, ACADEMIA, CNPJCPF) VALUES (12, 'Academia Orvalen', "
            "'12.345.678/0001-90')"));
        db.exec(
            QStringLiteral("INSERT INTO Sacvar2 (FILIAL, INSC_MUNICIPAL) VALUES ('02', '998877')"));
        if (c.dropped != nullptr) {
            db.exec(QStringLiteral("DROP TABLE ") + QLatin1String(c.dropped));
        }
        test::RecordingAviso aviso;
        const AboutTexts texts = loadAboutTexts(db.connection(), store::LocalSettings{}, aviso);
        EXPECT_EQ(aviso.shown, c.shown);
        EXPECT_EQ(texts.version, QStringLiteral("Versão: 9.26"));
        EXPECT_EQ(texts.filial, c.filial);
        EXPECT_EQ(texts.academia, c.academia);
        if (c.dropped == nullptr) {
            EXPECT_EQ(texts.cliente, QStringLiteral("12"));
            EXPECT_EQ(texts.inscricao, QStringLiteral("998877"));
        }
    }
}

} // namespace
} // namespace orvalen::shell
