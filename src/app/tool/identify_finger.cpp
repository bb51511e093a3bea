#include "app/tool/identify_finger.h"

#include "biometrics/virtual_reader.h"
#include "store/settings.h"
#include "terminal/terminal_screen.h"

#include <QEventLoop>
#include <QTimer>
#include <thread>

namespace orvalen::tool {

store::Result<std::unique_ptr<HeadlessFingerprint>>
HeadlessFingerprint::start(const store::ClubConnection& club, store::Aviso& aviso,
                           terminal::Pump& pump, store::ErrorLog& errorLog) {
    const auto sacvar2 = store::SettingsRow::load(club, QStringLiteral("Sacvar2"));
    if (!sacvar2.ok()) {
        return sacvar2.error();
    }
    if (!sacvar2->isSim(QStringLiteral("LEITOR_BIOMETRICO"))) {
        return store::Error{QStringLiteral("the club's terminal has no fingerprint reader "
                                           "(Sacvar2.LEITOR_BIOMETRICO is \"%1\", not \"Sim\")")
                                .arg(sacvar2->text(QStringLiteral("LEITOR_BIOMETRICO")))};
    }
    std::unique_ptr<HeadlessFingerprint> parts(new HeadlessFingerprint);
    parts->folder_ = std::make_unique<QTemporaryDir>();
    if (!parts->folder_->isValid()) {
        return store::Error{QStringLiteral("cannot make a folder for the virtual fingerprint "
                                           "reader: %1")
                                .arg(parts->folder_->errorString())};
    }
    qputenv(biometrics::kVirtualReaderVariable,
            parts->folder_->filePath(QStringLiteral("reader")).toLocal8Bit());
    parts->engine_ = biometrics::FingerprintEngine::start();
    if (!parts->engine_.ok()) {
        return parts->engine_.error();
    }
    HeadlessFingerprint* raw = parts.get();
    parts->readers_ = std::make_unique<terminal::LibfprintReaders>(parts->engine_, club, errorLog);
    parts->readers_->onFingerHandled([raw] { raw->handled_ = true; });
    parts->capture_ = std::make_unique<terminal::FingerprintCaptureScreen>(
        club, aviso, errorLog, pump, parts->engine_, [raw](biometrics::CaptureScreenLogic& logic) {
            biometrics::runCaptureScreen(logic);
            raw->handled_ = true;
        });
    return parts;
}

void HeadlessFingerprint::attach(terminal::TerminalScreen& screen) {
    readers_->attach(screen);
    capture_->attach(screen, *readers_);
}

store::Status HeadlessFingerprint::present(const biometrics::FingerImage& finger,
                                           std::chrono::milliseconds limit) {
    handled_ = false;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const QString socket = folder_->filePath(QStringLiteral("reader"));
    const std::shared_ptr<biometrics::FingerprintEngine> engine = engine_.value();
    store::Status sent = store::Error{QStringLiteral("the reader never waited for a finger")};
    // The virtual reader takes a finger only while it waits for one.
    std::thread placer([&] {
        while (!engine->readerAwaitingFinger() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (engine->readerAwaitingFinger()) {
            sent = biometrics::sendToVirtualReader(socket, finger);
        }
    });
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (handled_ || std::chrono::steady_clock::now() >= deadline) {
            loop.quit();
        }
    });
    check.start(10);
    loop.exec();
    placer.join();
    if (!sent.ok()) {
        return sent;
    }
    if (!handled_) {
        return store::Error{QStringLiteral("the terminal did not take the finger within %1 ms "
                                           "(it watches the reader for a finger alone unless "
                                           "Sacvar2.MATRICULADIGITAL is \"Sim\" and "
                                           "Tec12ouBiometria \"Não\")")
                                .arg(limit.count())};
    }
    return store::Status::success();
}

} // namespace orvalen::tool
