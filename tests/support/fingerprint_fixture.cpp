#include "support/fingerprint_fixture.h"

#include "biometrics/library_thread.h"
#include "biometrics/virtual_reader.h"
#include "support/application.h"

#include <chrono>

namespace orvalen::test {

namespace {

// Before any QApplication exists: the library thread needs GLib's default context.
const bool kPrepared = (biometrics::prepareProcessForFingerprints(), true);

} // namespace

std::unique_ptr<QTemporaryDir> FingerprintFixture::folder_;
std::shared_ptr<biometrics::FingerprintEngine> FingerprintFixture::engine_;

void FingerprintFixture::SetUpTestSuite() {
    (void)kPrepared;
    ensureApplication();
    folder_ = std::make_unique<QTemporaryDir>();
    qputenv(biometrics::kVirtualReaderVariable,
            folder_->filePath(QStringLiteral("reader")).toLocal8Bit());
    auto engine = biometrics::FingerprintEngine::start();
    ASSERT_TRUE(engine.ok()) << engine.error().message.toStdString();
    engine_ = engine.value();
}

void FingerprintFixture::TearDownTestSuite() {
    engine_.reset();
    qunsetenv(biometrics::kVirtualReaderVariable);
    folder_.reset();
}

biometrics::FingerImage FingerprintFixture::sample(const char* name) {
    auto image = biometrics::sampleFinger(QLatin1String(name));
    EXPECT_TRUE(image.ok()) << image.error().message.toStdString();
    return image.ok() ? image.value() : biometrics::FingerImage{};
}

void FingerprintFixture::present(const char* name) {
    present(sample(name));
}

void FingerprintFixture::present(const biometrics::FingerImage& image) {
    if (presenter_.joinable()) {
        presenter_.join();
    }
    const QString socket = folder_->filePath(QStringLiteral("reader"));
    presenter_ = std::thread([socket, image] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!engine_->readerAwaitingFinger() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        const auto sent = biometrics::sendToVirtualReader(socket, image);
        EXPECT_TRUE(sent.ok()) << sent.error().message.toStdString();
    });
}

FingerprintFixture::~FingerprintFixture() {
    if (presenter_.joinable()) {
        presenter_.join();
    }
}

} // namespace orvalen::test
