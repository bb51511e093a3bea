#include "biometrics/nbiobsp.h"

#include <QColor>

namespace orvalen::biometrics::nbiobsp {

// What the three parts share: the engine and the finger of the last capture, which
// IdentifyUser() searches for.
struct Session {
    std::shared_ptr<FingerprintEngine> engine;
    QString unavailable; // why there is no engine
    QString probeText;
    FingerImage probeImage;
};

namespace {

QColor colourOf(const QString& rgb, QColor fallback) {
    const QColor colour = QColor::fromString(QLatin1Char('#') + rgb);
    return colour.isValid() ? colour : fallback;
}

} // namespace

void NBioDevice::Open(int) {
    if (!session_->engine) {
        fail(kLibraryUnavailable, session_->unavailable);
        return;
    }
    const store::Status opened = session_->engine->openReader();
    opened.ok() ? succeed() : fail(kDeviceNotFound, opened.error().message);
}

void NBioDevice::Close(int) {
    if (!session_->engine) {
        fail(kLibraryUnavailable, session_->unavailable);
        return;
    }
    session_->engine->closeReader();
    succeed();
}

bool NBioDevice::CheckFinger() {
    if (!session_->engine) {
        fail(kLibraryUnavailable, session_->unavailable);
        return false;
    }
    succeed();
    return session_->engine->fingerWaiting();
}

void NBioExtraction::Capture(int) {
    fir_.clear();
    if (!session_->engine) {
        fail(kLibraryUnavailable, session_->unavailable);
        return;
    }
    auto finger = session_->engine->takeFinger(std::chrono::milliseconds(CaptureTimeout));
    if (!finger.ok()) {
        fail(kCaptureFailed, finger.error().message);
        return;
    }
    if (FingerWnd) {
        FingerWnd(picture(finger.value()));
    }
    auto minutiae = session_->engine->extract(finger.value());
    if (!minutiae.ok()) {
        fail(kCaptureFailed, minutiae.error().message);
        return;
    }
    if (int(minutiae->size()) < kMinimumMinutiae) {
        fail(kWeakCapture, QStringLiteral("the finger shows %1 minutiae, fewer than the %2 needed")
                               .arg(minutiae->size())
                               .arg(kMinimumMinutiae));
        return;
    }
    fir_ = digitalText(minutiae.value());
    session_->probeText = fir_;
    session_->probeImage = std::move(finger.value());
    succeed();
}

QImage NBioExtraction::picture(const FingerImage& image) const {
    const QColor fore = colourOf(FPForeColor, Qt::black);
    const QColor back = colourOf(FPBackColor, Qt::white);
    QImage grey = image.toQImage();
    QImage coloured(grey.size(), QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(coloured.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = in[x]; // 0 is a ridge, 255 the background
            out[x] = qRgb((fore.red() * (255 - g) + back.red() * g) / 255,
                          (fore.green() * (255 - g) + back.green() * g) / 255,
                          (fore.blue() * (255 - g) + back.blue() * g) / 255);
        }
    }
    return coloured;
}

NBioIndexSearch::NBioIndexSearch(std::shared_ptr<Session> session) : session_(std::move(session)) {
    if (session_->engine) {
        gallery_ = session_->engine->newGallery();
    } else {
        fail(kLibraryUnavailable, session_->unavailable);
    }
}

void NBioIndexSearch::AddFIR(const QString& text, qint64 userId) {
    if (!gallery_) {
        fail(kLibraryUnavailable, session_->unavailable);
        return;
    }
    if (digitalForm(text) != TemplateForm::Ours) {
        fail(kForeignTemplate, QStringLiteral("the template of %1 was written by another "
                                              "platform's reader software")
                                   .arg(userId));
        return;
    }
    auto minutiae = minutiaeFromDigital(text);
    if (!minutiae.ok()) {
        fail(kDamagedTemplate, minutiae.error().message);
        return;
    }
    if (gallery_->contains(userId)) {
        fail(kDuplicateUserId, QStringLiteral("%1 already has a finger in the index").arg(userId));
        return;
    }
    gallery_->add(userId, minutiae.value());
    succeed();
}

void NBioIndexSearch::RemoveData(qint64 userId, int, int) {
    if (!gallery_) {
        fail(kLibraryUnavailable, session_->unavailable);
        return;
    }
    if (!gallery_->contains(userId)) {
        fail(kUserIdNotFound, QStringLiteral("%1 has no finger in the index").arg(userId));
        return;
    }
    gallery_->remove(userId);
    succeed();
}

void NBioIndexSearch::ClearDB() {
    if (!gallery_) {
        fail(kLibraryUnavailable, session_->unavailable);
        return;
    }
    gallery_->clear();
    succeed();
}

void NBioIndexSearch::IdentifyUser(const QString& text, int securityLevel,
                                   std::optional<qint64> expected) {
    UserID = 0;
    if (!gallery_) {
        fail(kLibraryUnavailable, session_->unavailable);
        return;
    }
    if (text.isEmpty() || text != session_->probeText) {
        fail(kUnknownProbe, QStringLiteral("only the finger of this reader's last capture can be "
                                           "searched"));
        return;
    }
    // The capture's template holds the probe's minutiae: the search need not extract them again.
    auto probe = minutiaeFromDigital(text);
    auto found =
        gallery_->identify(session_->probeImage, {std::chrono::milliseconds(MaxSearchTime),
                                                  minimumScoreForLevel(securityLevel), expected,
                                                  probe.ok() ? probe.value() : Minutiae{}});
    if (!found.ok()) {
        fail(kSearchFailed, found.error().message);
        return;
    }
    if (found->outOfTime) {
        fail(kOutOfTime, found->outOfTimeText());
        return;
    }
    if (found->rival) {
        fail(kTooAlike, found->tooCloseText());
        return;
    }
    if (!found->id) {
        fail(kNotIdentified, QStringLiteral("no stored finger matches"));
        return;
    }
    UserID = *found->id;
    succeed();
}

namespace {

std::shared_ptr<Session> sessionOf(store::Result<std::shared_ptr<FingerprintEngine>> engine) {
    auto session = std::make_shared<Session>();
    if (engine.ok()) {
        session->engine = std::move(engine.value());
    } else {
        session->unavailable = engine.error().message;
    }
    return session;
}

} // namespace

NBioBSP::NBioBSP(store::Result<std::shared_ptr<FingerprintEngine>> engine)
    : session(sessionOf(std::move(engine))), Device(session), Extraction(session),
      IndexSearch(session) {}

} // namespace orvalen::biometrics::nbiobsp
