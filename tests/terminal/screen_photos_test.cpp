#include "support/terminal_fixture.h"

#include <QImage>
#include <gtest/gtest.h>
#include <optional>

namespace orvalen::test {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// JPEG shifts colours a little: near enough is the same colour.
bool looksLike(const QImage& picture, const QColor& colour) {
    if (picture.isNull()) {
        return false;
    }
    const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    return qAbs(centre.red() - colour.red()) < 40 && qAbs(centre.green() - colour.green()) < 40 &&
           qAbs(centre.blue() - colour.blue()) < 40;
}

// Ana (red photo) has just been served; the next person's outcome shows his own photo or the
// frame's placeholder, never hers.
TEST(ScreenPhotos, TheNextPersonIsNeverShownWithTheLastPersonsPhoto) {
    struct Case {
        const char* name;
        bool birthDay; // the entry ends in the day of birth
        const char* typed;
        std::optional<QColor> employeePhoto;
        const char* information;     // on the panel while the outcome is held
        std::optional<QColor> shown; // none: the placeholder
    };
    const Case cases[] = {
        {"employee without a photo", false, "0012345", std::nullopt, "Professor", std::nullopt},
        {"employee with his photo", false, "0012345", QColor(Qt::blue), "Professor",
         QColor(Qt::blue)},
        {"employee not on file", false, "0099999", std::nullopt, "Inexistente!!!", std::nullopt},
        {"refused entry", false, "999999", std::nullopt, "Inexistente !!!", std::nullopt},
        {"student not on file", false, "777", std::nullopt, "Inexistente !!!", std::nullopt},
        // The number is Ana's but the day is wrong: nobody by that entry, so no face either.
        {"birth day that does not match", true, "10014", std::nullopt, "Inexistente !!!",
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TerminalFixture f({{s("ACESSO_MATRICULA_NASC"), c.birthDay ? s("Sim") : s("Não")}});
        f.addStudent(s("0000000100"), s("ANA"), QDate(1990, 5, 15));
        f.addPhoto(s("0000000100"), jpegOf(Qt::red));
        f.db().exec(s("INSERT INTO Funcionarios (MATRICULA, NOME, CARGO) "
                      "VALUES ('0000012345', 'JOSÉ', 'Professor')"));
        if (c.employeePhoto) {
            f.db().exec(s("INSERT INTO FotosFuncionarios (MATRICULA, FOTO1) VALUES (:M, :F)"),
                        {{s(":M"), s("0000012345")}, {s(":F"), jpegOf(*c.employeePhoto)}});
        }
        f.show();
        f.type(c.birthDay ? s("10015") : s("100"));
        ASSERT_TRUE(f.state().ImageFotoVisible);
        ASSERT_TRUE(looksLike(f.state().ImageFoto, Qt::red)) << "Ana's photo stays in the frame";

        std::optional<bool> visible;
        QImage picture;
        QString information;
        f.pump.duringWait = [&] {
            if (!visible) {
                visible = f.state().ImageFotoVisible;
                picture = f.state().ImageFoto;
                information = f.state().PNLINFORMACOES.caption;
            }
        };
        f.type(s(c.typed));

        ASSERT_TRUE(visible.has_value()) << "the outcome was held";
        EXPECT_EQ(information, s(c.information));
        EXPECT_EQ(*visible, c.shown.has_value());
        if (c.shown) {
            EXPECT_TRUE(looksLike(picture, *c.shown));
        }
        EXPECT_EQ(f.state().ImageFotoVisible, c.shown.has_value()) << "and after the reset";
    }
}

} // namespace
} // namespace orvalen::test
