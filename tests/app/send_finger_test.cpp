#include "app/tool/tool.h"
#include "biometrics/finger_image.h"
#include "biometrics/virtual_reader.h"
#include "support/application.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// An installation whose terminal.ini names a virtual reader socket, and a listener on it
// standing in for the running terminal's reader.
class SendFinger : public ::testing::Test {
protected:
    SendFinger() {
        ensureApplication();
        QFile ini(folder.filePath(QStringLiteral("terminal.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[devices]\nfingerprint_virtual=finger-reader\n");
    }

    int run(const QStringList& arguments, QString* errors = nullptr) {
        QString output;
        QString err;
        QTextStream out(&output);
        QTextStream errStream(&err);
        QStringList all{QStringLiteral("send"), QStringLiteral("finger")};
        all << arguments << QStringLiteral("--datalink-dir") << folder.path();
        const int status = tool::runTool(all, out, errStream);
        errStream.flush();
        if (errors != nullptr) {
            *errors = err;
        }
        return status;
    }

    // What the reader received from one connection.
    QByteArray received() {
        QElapsedTimer waited;
        waited.start();
        while (!reader.hasPendingConnections() && waited.elapsed() < 5000) {
            reader.waitForNewConnection(50);
        }
        QLocalSocket* client = reader.nextPendingConnection();
        if (client == nullptr) {
            return {};
        }
        QByteArray bytes = client->readAll();
        while (client->waitForReadyRead(200)) {
            bytes += client->readAll();
        }
        return bytes;
    }

    QTemporaryDir folder;
    QLocalServer reader;
};

TEST_F(SendFinger, PlacesASampleOrAPictureFileOnTheReader) {
    ASSERT_TRUE(reader.listen(folder.filePath(QStringLiteral("finger-reader"))));
    ASSERT_EQ(run({QStringLiteral("whorl_rot")}), 0);
    EXPECT_EQ(received(), biometrics::virtualReaderMessage(
                              biometrics::sampleFinger(QStringLiteral("whorl_rot")).value()));

    const QString file = folder.filePath(QStringLiteral("arch.pgm"));
    QFile::copy(QStringLiteral(":/fingerprints/arch.pgm"), file);
    ASSERT_TRUE(QFile::exists(file)) << "the sample is built in";
    ASSERT_EQ(run({file}), 0);
    EXPECT_EQ(received(),
              biometrics::virtualReaderMessage(biometrics::loadFingerImage(file).value()));
}

TEST_F(SendFinger, SaysWhatIsWrong) {
    QString errors;
    EXPECT_EQ(run({QStringLiteral("thumb")}, &errors), 2);
    EXPECT_TRUE(errors.contains(QStringLiteral("whorl_rot"))) << errors.toStdString();
    EXPECT_EQ(run({QStringLiteral("whorl")}, &errors), 1) << "nobody listens";
    EXPECT_TRUE(errors.contains(QStringLiteral("finger-reader"))) << errors.toStdString();
    QFile::remove(folder.filePath(QStringLiteral("terminal.ini")));
    EXPECT_EQ(run({QStringLiteral("whorl")}, &errors), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("fingerprint_virtual"))) << errors.toStdString();
}

} // namespace
} // namespace orvalen::test
