#include "biometrics/finger_image.h"
#include "biometrics/finger_template.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

using namespace orvalen::biometrics;

namespace {

Minutiae edgeCases() {
    return {{0, 0, -180}, {2047, 2047, 180}, {255, 239, 0}, {17, 300, -1}, {1000, 5, 90}};
}

TEST(FingerTemplateTest, BothColumnFormsGiveTheMinutiaeBack) {
    const Minutiae minutiae = edgeCases();
    const QString digital = digitalText(minutiae);
    EXPECT_TRUE(digital.startsWith(QStringLiteral("OFT1")));
    EXPECT_EQ(minutiaeFromDigital(digital).value(), minutiae);

    const QString persona = personaText(minutiae);
    for (QChar c : persona.mid(4)) {
        EXPECT_TRUE(c >= QLatin1Char('0') && c <= QLatin1Char('o'))
            << "plain ASCII: " << int(c.unicode());
    }
    // The terminal's buffer keeps the bytes of a longer row read before.
    const QByteArray longer = personaBytes(personaText(Minutiae(60, Minutia{9, 9, 9})));
    QByteArray buffer = personaBytes(persona);
    buffer += longer.mid(buffer.size());
    buffer.append('\0');
    EXPECT_EQ(minutiaeFromPersonaBytes(buffer).value(), minutiae);
}

TEST(FingerTemplateTest, TheLargestTemplateFitsDigitalAndKeepsWhatTheMatcherReads) {
    Minutiae many;
    for (int i = 0; i < 200; ++i) {
        many.push_back({i, 2 * i, i % 360 - 180});
    }
    const QString text = digitalText(many);
    EXPECT_LE(text.size(), 1000) << "DIGITAL is text of 1000";
    const Minutiae back = minutiaeFromDigital(text).value();
    ASSERT_EQ(int(back.size()), kMaximumMinutiae);
    EXPECT_EQ(back, Minutiae(many.begin(), many.begin() + kMaximumMinutiae));
}

TEST(FingerTemplateTest, FormsAndDamage) {
    struct Case {
        const char* text;
        TemplateForm form;
        bool readable;
    } cases[] = {
        {"", TemplateForm::Empty, false},
        {"AQAAABQAAAD0AAAAAQASAAEAWgAAAAAA7AAAAC4N", TemplateForm::Foreign, false},
        {"OFT1", TemplateForm::Ours, false},
        {"OFT1AQ!!", TemplateForm::Ours, false},
        {"OFT1AQEAAAAA", TemplateForm::Ours, true},    // one minutia
        {"OFT1AQEAAAAAAA", TemplateForm::Ours, false}, // a byte too many
        {"OFT1AQIAAAAA", TemplateForm::Ours, false},   // says two, holds one
    };
    for (const Case& c : cases) {
        const QString text = QLatin1String(c.text);
        EXPECT_EQ(digitalForm(text), c.form) << c.text;
        EXPECT_EQ(minutiaeFromDigital(text).ok(), c.readable) << c.text;
    }
    EXPECT_FALSE(minutiaeFromPersonaBytes(QByteArray(2513, '\x05')).ok());
}

TEST(FingerImageTest, BinaryGreyPgmOnly) {
    const QByteArray good =
        QByteArray("P5\n# sample\n3 2\n255\n") + QByteArray("\x00\x10\x20\x30\x40\x50", 6);
    auto image = fingerImageFromPgm(good, QStringLiteral("good.pgm"));
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->toQImage().pixelColor(2, 1).red(), 0x50);

    struct Case {
        QByteArray data;
        const char* error;
    } bad[] = {
        {"P2\n3 2\n255\n0 0 0 0 0 0",
         "bad.pgm is not an 8-bit binary grey PGM picture (P5, at most 5000 pixels a side)"},
        {"P5\n3 2\n65535\n......",
         "bad.pgm is not an 8-bit binary grey PGM picture (P5, at most 5000 pixels a side)"},
        {"P5\n3 2\n255\n\x01\x02", "bad.pgm ends before its 3 x 2 pixels"},
    };
    for (const Case& c : bad) {
        auto result = fingerImageFromPgm(c.data, QStringLiteral("bad.pgm"));
        ASSERT_FALSE(result.ok()) << c.error;
        EXPECT_EQ(result.error().message, QLatin1String(c.error));
    }
}

TEST(FingerImageTest, SampleFingersAreBuiltIn) {
    EXPECT_EQ(sampleFingerNames().size(), 8);
    EXPECT_TRUE(sampleFinger(QStringLiteral("loop-right_rot")).ok());
    auto missing = sampleFinger(QStringLiteral("thumb"));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(
        missing.error().message.startsWith(QStringLiteral("there is no sample finger \"thumb\"")));
}

} // namespace
