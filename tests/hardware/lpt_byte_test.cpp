#include "hardware/lpt_byte.h"
#include "hardware/simulated_converter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen::hardware;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) {
        out.append(char(v));
    }
    return out;
}

TEST(LptByteTest, WritesAndReadsRegistersThroughTheTwoControlCodes) {
    SimulatedConverter converter;
    converter.setStatusByte(0x5F);
    ConverterHandle handle = AbreConversor(converter, QStringLiteral("/dev/usblpt0"));
    ASSERT_NE(handle, kInvalidConverterHandle);

    EXPECT_EQ(EscreveConversor(converter, handle, 0, 0x02), 0); // the driver's byte count
    EXPECT_EQ(converter.reg(0), 0x02);
    EXPECT_EQ(LeConversor(converter, handle, 1), 0x5F);
    EXPECT_TRUE(TestaConversor(converter, handle));

    const auto& requests = converter.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].code, 0x160184u);
    EXPECT_EQ(requests[0].input, bytes({0, 0x02}));
    EXPECT_EQ(requests[1].code, 0x160188u);
    EXPECT_EQ(requests[1].input, bytes({1, 0}));
    EXPECT_EQ(requests[2].code, 0x160188u);
    EXPECT_EQ(requests[2].input, bytes({10, 0})); // the probe register
    EXPECT_NE(handle, kInvalidConverterHandle);
}

TEST(LptByteTest, ARefusalClosesTheHandleAndLaterRequestsFailWith256) {
    SimulatedConverter converter;
    converter.setBehaviour(SimulatedConverter::Behaviour::Refuses);
    ConverterHandle handle = AbreConversor(converter, QStringLiteral("/dev/usblpt0"));
    ASSERT_NE(handle, kInvalidConverterHandle);

    EXPECT_EQ(EscreveConversor(converter, handle, 0, 0x02), 256);
    EXPECT_EQ(handle, kInvalidConverterHandle);
    EXPECT_EQ(converter.openHandles(), 0);
    // The closed handle is never offered to the driver again.
    EXPECT_EQ(LeConversor(converter, handle, 1), 256);
    EXPECT_EQ(LeConversor(converter, handle, 1) & 0xFF, 0);
    EXPECT_EQ(EscreveConversor(converter, handle, 0, 0), 256);
    EXPECT_EQ(converter.requests().size(), 1u);

    ConverterHandle probed = AbreConversor(converter, QStringLiteral("/dev/usblpt0"));
    EXPECT_FALSE(TestaConversor(converter, probed));
    EXPECT_EQ(probed, kInvalidConverterHandle);
    EXPECT_EQ(converter.openHandles(), 0);

    ConverterHandle read = AbreConversor(converter, QStringLiteral("/dev/usblpt0"));
    EXPECT_EQ(LeConversor(converter, read, 1), 256);
    EXPECT_EQ(read, kInvalidConverterHandle);
}

TEST(LptByteTest, AMissingConverterGivesTheInvalidHandleAndWhy) {
    SimulatedConverter converter;
    converter.setBehaviour(SimulatedConverter::Behaviour::Missing);
    QString why;
    EXPECT_EQ(AbreConversor(converter, QStringLiteral("/dev/usblpt0"), &why),
              kInvalidConverterHandle);
    EXPECT_TRUE(why.contains(QStringLiteral("/dev/usblpt0"))) << why.toStdString();
}

// The kernel path itself: a file that is no converter refuses the control request.
TEST(SystemConverterDriverTest, OpensExistingDevicesOnlyAndClosesOnRefusal) {
    SystemConverterDriver driver;
    QTemporaryDir dir;
    QString why;
    const QString missing = dir.filePath(QStringLiteral("usblpt0"));
    EXPECT_EQ(AbreConversor(driver, missing, &why), kInvalidConverterHandle);
    EXPECT_EQ(why, QStringLiteral("No such file or directory"));

    QFile notAConverter(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(notAConverter.open(QIODevice::WriteOnly));
    notAConverter.close();
    ConverterHandle handle = AbreConversor(driver, notAConverter.fileName(), &why);
    ASSERT_NE(handle, kInvalidConverterHandle);
    EXPECT_FALSE(TestaConversor(driver, handle));
    EXPECT_EQ(handle, kInvalidConverterHandle);
}

} // namespace
