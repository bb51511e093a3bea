#include "biometrics/nbiobsp.h"
#include "support/fingerprint_fixture.h"
#include "support/qstring_printer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::biometrics::nbiobsp;

namespace {

class NBioBSPTest : public test::FingerprintFixture {
protected:
    NBioBSPTest() : bsp(sharedEngine()) {}

    // The capture screen's sequence: open, capture, close; the template text, or empty.
    QString capture(const char* finger) {
        bsp.Device.Open(255);
        EXPECT_EQ(bsp.Device.ErrorCode(), kNone) << bsp.Device.ErrorDescription().toStdString();
        present(finger);
        bsp.Extraction.Capture(1);
        const int captured = bsp.Extraction.ErrorCode();
        bsp.Device.Close(255);
        EXPECT_EQ(bsp.Device.ErrorCode(), kNone);
        return captured == kNone ? bsp.Extraction.TextEncodeFIR() : QString();
    }

    QString templateOf(const char* finger) {
        return biometrics::digitalText(engine().extract(sample(finger)).value());
    }

    NBioBSP bsp;
};

TEST_F(NBioBSPTest, EnrolmentAddsTheCapturedFingerOncePerNumber) {
    QImage drawn;
    bsp.Extraction.FingerWnd = [&](const QImage& picture) { drawn = picture; };
    const QString fir = capture("whorl");
    ASSERT_FALSE(fir.isEmpty());
    EXPECT_LE(fir.size(), 1000);
    EXPECT_EQ(drawn.size(), sample("whorl").toQImage().size()) << "the capture is drawn";
    EXPECT_EQ(drawn.pixel(0, 0), sample("whorl").toQImage().pixel(0, 0))
        << "black on white draws the grey picture as it is";

    bsp.IndexSearch.AddFIR(fir, 12345);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kNone);
    bsp.IndexSearch.AddFIR(fir, 12345);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), 1287) << "the number already has a finger";
    bsp.IndexSearch.RemoveData(12345, 0, 0);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kNone);
    bsp.IndexSearch.AddFIR(fir, 12345);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kNone) << "replaced";
    bsp.IndexSearch.RemoveData(777, 0, 0);
    EXPECT_NE(bsp.IndexSearch.ErrorCode(), kNone);
}

TEST_F(NBioBSPTest, VerificationIdentifiesTheSecondPresentationAndRefusesAnUnknownFinger) {
    bsp.IndexSearch.AddFIR(templateOf("arch"), 12345);
    bsp.IndexSearch.AddFIR(templateOf("whorl"), 910004321);
    bsp.IndexSearch.AddFIR(templateOf("loop-right"), 99999);
    bsp.IndexSearch.MaxSearchTime = 3000;

    struct Case {
        const char* finger;
        int code;
        qint64 userId;
    } cases[] = {{"whorl_rot", kNone, 910004321},
                 {"arch_rot", kNone, 12345},
                 {"loop-right_rot", kNone, 99999},
                 {"tented_arch_rot", kNotIdentified, 0}};
    for (const Case& c : cases) {
        const QString probe = capture(c.finger);
        ASSERT_FALSE(probe.isEmpty()) << c.finger;
        bsp.IndexSearch.IdentifyUser(probe, 5);
        EXPECT_EQ(bsp.IndexSearch.ErrorCode(), c.code) << c.finger;
        EXPECT_EQ(bsp.IndexSearch.UserID, c.userId) << c.finger;
    }

    bsp.IndexSearch.IdentifyUser(templateOf("whorl_rot"), 5);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kUnknownProbe) << "not a capture of this reader";
    bsp.IndexSearch.ClearDB();
    capture("whorl_rot");
    bsp.IndexSearch.IdentifyUser(bsp.Extraction.TextEncodeFIR(), 5);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kNotIdentified) << "the index is empty";
}

TEST_F(NBioBSPTest, PollSeesTheFingerThatTheCaptureThenTakes) {
    bsp.Device.Open(255);
    EXPECT_FALSE(bsp.Device.CheckFinger());
    present("tented_arch");
    QElapsedTimer waited;
    waited.start();
    while (!bsp.Device.CheckFinger() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(bsp.Device.CheckFinger());
    bsp.Device.Close(255); // the terminal closes the reader before the capture screen opens it
    bsp.Device.Open(255);
    bsp.Extraction.CaptureTimeout = 300;
    bsp.Extraction.Capture(1);
    EXPECT_EQ(bsp.Extraction.ErrorCode(), kNone) << "the finger already on the reader is taken";
    EXPECT_FALSE(bsp.Device.CheckFinger());
    bsp.Device.Close(255);
}

TEST_F(NBioBSPTest, CaptureFailures) {
    bsp.Device.Open(255);
    bsp.Extraction.CaptureTimeout = 300;
    bsp.Extraction.Capture(1);
    EXPECT_EQ(bsp.Extraction.ErrorCode(), kCaptureFailed) << "no finger on the reader";
    EXPECT_TRUE(bsp.Extraction.TextEncodeFIR().isEmpty());

    // A corner of a finger: the library finds a few minutiae, too few to store.
    const QImage part = sample("whorl").toQImage().copy(0, 0, 100, 80);
    QByteArray pixels;
    for (int y = 0; y < part.height(); ++y) {
        pixels.append(reinterpret_cast<const char*>(part.constScanLine(y)), part.width());
    }
    present(biometrics::FingerImage{part.width(), part.height(), pixels});
    bsp.Extraction.CaptureTimeout = 5000;
    bsp.Extraction.Capture(1);
    EXPECT_EQ(bsp.Extraction.ErrorCode(), kWeakCapture)
        << bsp.Extraction.ErrorDescription().toStdString();
    EXPECT_TRUE(bsp.Extraction.TextEncodeFIR().isEmpty());
    bsp.Device.Close(255);

    bsp.Device.Close(255);
    bsp.Extraction.Capture(1);
    EXPECT_EQ(bsp.Extraction.ErrorCode(), kCaptureFailed) << "the reader is closed";
}

TEST_F(NBioBSPTest, ForeignAndDamagedTemplatesStayOutOfTheIndex) {
    bsp.IndexSearch.AddFIR(QStringLiteral("AQAAABQAAAD0AAAAAQASAAEAWgAAAAAA7AAAAC4N"), 1);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kForeignTemplate);
    bsp.IndexSearch.AddFIR(QStringLiteral("OFT1AQ!!"), 2);
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kDamagedTemplate);
}

TEST(NBioBSPWithoutLibraryTest, EveryPartReportsTheMissingLibrary) {
    NBioBSP bsp(store::Error{QStringLiteral("no GLib")});
    EXPECT_EQ(bsp.IndexSearch.ErrorCode(), kLibraryUnavailable);
    bsp.Device.Open(255);
    EXPECT_EQ(bsp.Device.ErrorCode(), kLibraryUnavailable);
    EXPECT_EQ(bsp.Device.ErrorDescription(), QStringLiteral("no GLib"));
    bsp.Extraction.Capture(1);
    EXPECT_EQ(bsp.Extraction.ErrorCode(), kLibraryUnavailable);
}

} // namespace
