#pragma once

#include "biometrics/finger_image.h"
#include "biometrics/fprint_include.h"
#include "store/result.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace orvalen::biometrics {

// A fingerprint reader the library found.
struct ReaderInfo {
    QString driver;
    QString name;
    bool givesImages = false; // only readers that hand over their images can serve here
};

// The reader beside the turnstile, driven on the library thread only (except the two flags).
// While open it waits for a finger in the background: each finger is captured as an image,
// kept for the next takeFinger() and passed to the listener.
class FprintReader {
public:
    // A finger captured this long ago still counts as the finger on the reader.
    static constexpr std::chrono::milliseconds kFreshness{5000};

    FprintReader();
    ~FprintReader();
    FprintReader(const FprintReader&) = delete;
    FprintReader& operator=(const FprintReader&) = delete;

    std::vector<ReaderInfo> list();
    // Opens the first reader that gives images; opening an open reader does nothing.
    store::Status open();
    void close();
    bool isOpen() const { return device_ != nullptr; }

    // Called on the library thread with each finger captured while open.
    void setListener(std::function<void(const FingerImage&)> listener);

    // The finger on the reader: one captured within kFreshness, or else the next one within the
    // timeout. Each finger is handed over once.
    store::Result<FingerImage> takeFinger(std::chrono::milliseconds timeout);

    // Readable from any thread: a captured finger waits to be taken; the reader waits for a
    // finger (the moment a virtual reader accepts an image).
    bool fingerWaiting() const;
    bool awaitingFinger() const { return awaitingFinger_; }

private:
    struct Capture;
    void arm();
    void disarm();
    void captured(FpImage* image, GError* error);
    static void onFingerStatus(GObject* device, GParamSpec*, gpointer self);

    FpContext* context_ = nullptr;
    FpDevice* device_ = nullptr;
    Capture* capture_ = nullptr; // the background capture in flight
    std::function<void(const FingerImage&)> listener_;
    std::optional<FingerImage> latest_;
    std::chrono::steady_clock::time_point latestAt_;
    std::optional<QString> failure_;
    std::atomic<qint64> waitingSince_{0}; // steady-clock ms of the finger waiting, 0 for none
    std::atomic<bool> awaitingFinger_{false};
};

// The text of a library error, freeing it.
QString takeErrorText(GError* error);

} // namespace orvalen::biometrics
