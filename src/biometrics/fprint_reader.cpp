#include "biometrics/fprint_reader.h"

namespace orvalen::biometrics {

namespace {

qint64 steadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

FingerImage imageOf(FpImage* image) {
    gsize length = 0;
    const guchar* data = fp_image_get_data(image, &length);
    return FingerImage{int(fp_image_get_width(image)), int(fp_image_get_height(image)),
                       QByteArray(reinterpret_cast<const char*>(data), qsizetype(length))};
}

} // namespace

QString takeErrorText(GError* error) {
    const QString text = QString::fromUtf8(error->message);
    g_error_free(error);
    return text;
}

// One background capture; it outlives the reader's interest in it when cancelled, until the
// library reports back.
struct FprintReader::Capture {
    FprintReader* owner;
    GCancellable* cancellable = g_cancellable_new();
    bool* finished = nullptr; // set by whoever waits for the report

    static void done(GObject* device, GAsyncResult* result, gpointer data) {
        auto* self = static_cast<Capture*>(data);
        GError* error = nullptr;
        FpImage* image = fp_device_capture_finish(FP_DEVICE(device), result, &error);
        if (self->finished != nullptr) {
            *self->finished = true;
        }
        if (self->owner != nullptr) {
            self->owner->captured(image, error);
        } else {
            if (image != nullptr) {
                g_object_unref(image);
            }
            if (error != nullptr) {
                g_error_free(error);
            }
        }
        g_object_unref(self->cancellable);
        delete self;
    }
};

FprintReader::FprintReader() : context_(fp_context_new()) {
    fp_context_enumerate(context_);
}

FprintReader::~FprintReader() {
    close();
    g_object_unref(context_);
}

std::vector<ReaderInfo> FprintReader::list() {
    std::vector<ReaderInfo> readers;
    GPtrArray* devices = fp_context_get_devices(context_);
    for (guint i = 0; i < devices->len; ++i) {
        auto* device = FP_DEVICE(g_ptr_array_index(devices, i));
        readers.push_back({QString::fromUtf8(fp_device_get_driver(device)),
                           QString::fromUtf8(fp_device_get_name(device)),
                           fp_device_has_feature(device, FP_DEVICE_FEATURE_CAPTURE) != FALSE});
    }
    return readers;
}

store::Status FprintReader::open() {
    if (device_ != nullptr) {
        return store::Status::success();
    }
    GPtrArray* devices = fp_context_get_devices(context_);
    for (guint i = 0; i < devices->len; ++i) {
        auto* device = FP_DEVICE(g_ptr_array_index(devices, i));
        if (!fp_device_has_feature(device, FP_DEVICE_FEATURE_CAPTURE)) {
            continue;
        }
        GError* error = nullptr;
        if (!fp_device_open_sync(device, nullptr, &error)) {
            return store::Error{
                QStringLiteral("cannot open the fingerprint reader %1: %2")
                    .arg(QString::fromUtf8(fp_device_get_name(device)), takeErrorText(error))};
        }
        device_ = FP_DEVICE(g_object_ref(device));
        g_signal_connect(device_, "notify::finger-status", G_CALLBACK(onFingerStatus), this);
        failure_.reset();
        arm();
        return store::Status::success();
    }
    return store::Error{QStringLiteral("no fingerprint reader that delivers images was found")};
}

void FprintReader::close() {
    if (device_ == nullptr) {
        return;
    }
    disarm();
    g_signal_handlers_disconnect_by_data(device_, this);
    fp_device_close_sync(device_, nullptr, nullptr);
    g_object_unref(device_);
    device_ = nullptr;
    awaitingFinger_ = false;
}

void FprintReader::setListener(std::function<void(const FingerImage&)> listener) {
    listener_ = std::move(listener);
}

bool FprintReader::fingerWaiting() const {
    const qint64 since = waitingSince_;
    return since != 0 && steadyMilliseconds() - since <= kFreshness.count();
}

store::Result<FingerImage> FprintReader::takeFinger(std::chrono::milliseconds timeout) {
    if (device_ == nullptr) {
        return store::Error{QStringLiteral("the fingerprint reader is not open")};
    }
    if (latest_ && std::chrono::steady_clock::now() - latestAt_ > kFreshness) {
        latest_.reset();
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool timedOut = false;
    const guint timer = g_timeout_add(
        guint(timeout.count()),
        [](gpointer flag) -> gboolean {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &timedOut);
    while (!latest_ && !failure_ && !timedOut && std::chrono::steady_clock::now() < deadline) {
        if (capture_ == nullptr) {
            arm();
        }
        g_main_context_iteration(nullptr, TRUE);
    }
    if (!timedOut) {
        g_source_remove(timer);
    }
    if (latest_) {
        FingerImage image = std::move(*latest_);
        latest_.reset();
        waitingSince_ = 0;
        return image;
    }
    if (failure_) {
        const QString why = *failure_;
        failure_.reset();
        return store::Error{QStringLiteral("the fingerprint reader failed: %1").arg(why)};
    }
    return store::Error{
        QStringLiteral("no finger was placed on the reader within %1 ms").arg(timeout.count())};
}

void FprintReader::arm() {
    if (device_ == nullptr || capture_ != nullptr) {
        return;
    }
    capture_ = new Capture{this};
    fp_device_capture(device_, TRUE, capture_->cancellable, &Capture::done, capture_);
}

void FprintReader::disarm() {
    if (capture_ == nullptr) {
        return;
    }
    Capture* capture = capture_;
    capture_ = nullptr;
    bool finished = false;
    capture->owner = nullptr;
    capture->finished = &finished;
    g_cancellable_cancel(capture->cancellable);
    // The library reports a cancelled capture back soon; the device can close only then.
    while (!finished) {
        g_main_context_iteration(nullptr, TRUE);
    }
}

void FprintReader::captured(FpImage* image, GError* error) {
    capture_ = nullptr;
    if (image != nullptr) {
        FingerImage finger = imageOf(image);
        g_object_unref(image);
        if (listener_) {
            listener_(finger); // a listener takes every finger
        } else {
            latest_ = std::move(finger);
            latestAt_ = std::chrono::steady_clock::now();
            waitingSince_ = steadyMilliseconds();
        }
        arm();
        return;
    }
    if (error->domain == FP_DEVICE_RETRY) {
        g_error_free(error); // a finger the reader could not read: wait for the next one
        arm();
        return;
    }
    if (!g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
        failure_ = QString::fromUtf8(error->message);
    }
    g_error_free(error);
}

void FprintReader::onFingerStatus(GObject* device, GParamSpec*, gpointer self) {
    static_cast<FprintReader*>(self)->awaitingFinger_ =
        fp_device_get_finger_status(FP_DEVICE(device)) == FP_FINGER_STATUS_NEEDED;
}

} // namespace orvalen::biometrics
