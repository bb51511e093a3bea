#include "biometrics/finger_image.h"
#include "biometrics/library_thread.h"
#include "demo_club/member_catalogue.h"
#include "store/local_settings.h"
#include "support/application.h"
#include "support/tool_in_process.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

// Before any QApplication exists: the fingerprint library's thread needs GLib's default context.
const bool kPrepared = (biometrics::prepareProcessForFingerprints(), true);

using ToolRun = test::ToolOutput;

ToolRun tool(const QStringList& arguments) {
    return test::runToolInProcess(arguments);
}

// The demo club with its fingers: enrolled to paid-up members, listed in the catalogue, and
// identified by `orvalen identify --finger` through the terminal's own fingerprint screen.
class DemoFingerprints : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        (void)kPrepared;
        test::ensureApplication();
        dir_ = new QTemporaryDir(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
                                 QStringLiteral("/demo-fp-XXXXXX"));
        created_ = new ToolRun(tool({QStringLiteral("demo"), QStringLiteral("create"), dir_->path(),
                                     QStringLiteral("--members"), QStringLiteral("60"),
                                     QStringLiteral("--fingerprints")}));
    }
    static void TearDownTestSuite() {
        delete created_;
        delete dir_;
    }

    static ToolRun identify(const QString& finger) {
        return tool({QStringLiteral("identify"), QStringLiteral("--datalink-dir"), dir_->path(),
                     QStringLiteral("--dry-run"), QStringLiteral("--finger"), finger});
    }

    static QTemporaryDir* dir_;
    static ToolRun* created_;
};

QTemporaryDir* DemoFingerprints::dir_ = nullptr;
ToolRun* DemoFingerprints::created_ = nullptr;

TEST_F(DemoFingerprints, TheCatalogueListsTheFourFingersAndTheIniNamesTheReader) {
    ASSERT_EQ(created_->status, 0) << created_->err.toStdString();
    QFile file(QDir(dir_->path()).filePath(QLatin1String(demo::kCatalogueFile)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList fingers;
    for (const demo::CatalogueEntry& entry : demo::readCatalogue(text)) {
        if (entry.situation == QLatin1String("fingerprint")) {
            fingers << entry.description.section(QStringLiteral(": "), 1);
        }
    }
    EXPECT_EQ(fingers, (QStringList{QStringLiteral("finger whorl"), QStringLiteral("finger arch"),
                                    QStringLiteral("finger loop-right"),
                                    QStringLiteral("finger tented_arch")}));
    const auto local = store::LocalSettings::load(dir_->path());
    ASSERT_TRUE(local.ok()) << local.error().message.toStdString();
    EXPECT_EQ(local->virtualFingerReader,
              QDir(dir_->path()).filePath(QStringLiteral("finger-reader")));
}

TEST_F(DemoFingerprints, EachSecondPresentationLetsItsMemberInAndAStrangerIsRefused) {
    ASSERT_EQ(created_->status, 0) << created_->err.toStdString();
    QFile file(QDir(dir_->path()).filePath(QLatin1String(demo::kCatalogueFile)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<demo::CatalogueEntry> entries =
        demo::readCatalogue(QString::fromUtf8(file.readAll()));
    int tried = 0;
    for (const demo::CatalogueEntry& entry : entries) {
        if (entry.situation != QLatin1String("fingerprint")) {
            continue;
        }
        const QString sample = entry.description.section(QStringLiteral(": finger "), 1);
        const QString name = entry.description.section(QStringLiteral(": "), 0, 0);
        const ToolRun run = identify(sample + QStringLiteral("_rot"));
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("status panel: Acesso Livre")))
            << sample.toStdString() << ":\n"
            << run.out.toStdString() << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(name)) << sample.toStdString() << ":\n"
                                            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("MATRICULA=") + entry.number))
            << run.out.toStdString();
        ++tried;
    }
    EXPECT_EQ(tried, 4);

    // A stranger: the whorl seen in a mirror is no finger on file.
    const auto whorl = biometrics::sampleFinger(QStringLiteral("whorl_rot"));
    ASSERT_TRUE(whorl.ok());
    const QImage mirrored = whorl->toQImage().mirrored(true, false);
    const QString stranger = QDir(dir_->path()).filePath(QStringLiteral("stranger.pgm"));
    ASSERT_TRUE(mirrored.save(stranger, "PGM"));
    const ToolRun refused = identify(stranger);
    EXPECT_EQ(refused.status, 0) << refused.err.toStdString();
    EXPECT_TRUE(refused.out.contains(QStringLiteral("Digital não encontrada!")))
        << refused.out.toStdString() << refused.err.toStdString();
    EXPECT_FALSE(refused.out.contains(QStringLiteral("Acesso Livre"))) << refused.out.toStdString();
}

TEST_F(DemoFingerprints, IdentifyByFingerSaysWhatIsWrong) {
    const ToolRun unknown = identify(QStringLiteral("thumb"));
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("neither a sample finger")))
        << unknown.err.toStdString();
    const ToolRun both =
        tool({QStringLiteral("identify"), QStringLiteral("--datalink-dir"), dir_->path(),
              QStringLiteral("--finger"), QStringLiteral("whorl"), QStringLiteral("123")});
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(both.err.contains(QStringLiteral("not both"))) << both.err.toStdString();
}

} // namespace
