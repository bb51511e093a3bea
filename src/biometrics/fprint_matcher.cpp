#include "biometrics/fprint_matcher.h"

#include "biometrics/fprint_reader.h"
#include "biometrics/print_codec.h"
#include "biometrics/virtual_reader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvalen::biometrics {

namespace {

constexpr const char* kVirtualImageDriver = "virtual_image";

// The library reads the variable when a context enumerates its devices: the matcher's context
// sees its own socket, and the variable goes back to what it was for everyone else.
FpContext* contextWithVirtualReaderAt(const QByteArray& socketPath) {
    const QByteArray previous = qgetenv(kVirtualReaderVariable);
    const bool hadPrevious = qEnvironmentVariableIsSet(kVirtualReaderVariable);
    qputenv(kVirtualReaderVariable, socketPath);
    FpContext* context = fp_context_new();
    fp_context_enumerate(context);
    if (hadPrevious) {
        qputenv(kVirtualReaderVariable, previous);
    } else {
        qunsetenv(kVirtualReaderVariable);
    }
    return context;
}

int connectTo(const QByteArray& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    if (fd >= 0 &&
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
        return fd;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return -1;
}

} // namespace

// One library operation fed with one image: started, then served until it reports.
struct FprintMatcher::Operation {
    std::function<void(GCancellable*, GAsyncReadyCallback, gpointer)> start;
    std::function<void(GAsyncResult*, GError**)> finish;
    GError* error = nullptr;
    bool done = false;

    static void finished(GObject*, GAsyncResult* result, gpointer data) {
        auto* self = static_cast<Operation*>(data);
        self->finish(result, &self->error);
        self->done = true;
    }
};

store::Result<std::unique_ptr<FprintMatcher>> FprintMatcher::start() {
    std::unique_ptr<FprintMatcher> matcher(new FprintMatcher);
    if (!matcher->folder_.isValid()) {
        return store::Error{QStringLiteral("cannot make a private folder for the fingerprint "
                                           "matcher: %1")
                                .arg(matcher->folder_.errorString())};
    }
    const QByteArray socketPath =
        matcher->folder_.filePath(QStringLiteral("matcher")).toLocal8Bit();
    matcher->context_ = contextWithVirtualReaderAt(socketPath);
    GPtrArray* devices = fp_context_get_devices(matcher->context_);
    for (guint i = 0; i < devices->len && matcher->device_ == nullptr; ++i) {
        auto* device = FP_DEVICE(g_ptr_array_index(devices, i));
        if (qstrcmp(fp_device_get_driver(device), kVirtualImageDriver) == 0) {
            matcher->device_ = FP_DEVICE(g_object_ref(device));
        }
    }
    if (matcher->device_ == nullptr) {
        return store::Error{QStringLiteral("the fingerprint library has no virtual image reader "
                                           "to match with (libfprint built without it?)")};
    }
    GError* error = nullptr;
    if (!fp_device_open_sync(matcher->device_, nullptr, &error)) {
        return store::Error{
            QStringLiteral("cannot open the fingerprint matcher: %1").arg(takeErrorText(error))};
    }
    matcher->socket_ = connectTo(socketPath);
    if (matcher->socket_ < 0) {
        return store::Error{QStringLiteral("cannot connect to the fingerprint matcher at %1: %2")
                                .arg(QString::fromLocal8Bit(socketPath),
                                     QString::fromLocal8Bit(std::strerror(errno)))};
    }
    auto placeholder = printFromMinutiae({{1, 1, 0}}, matcher->device_);
    if (!placeholder.ok()) {
        return placeholder.error();
    }
    matcher->probeTemplate_ = placeholder.value();
    return matcher;
}

FprintMatcher::~FprintMatcher() {
    if (socket_ >= 0) {
        ::close(socket_);
    }
    if (probeTemplate_ != nullptr) {
        g_object_unref(probeTemplate_);
    }
    if (device_ != nullptr) {
        fp_device_close_sync(device_, nullptr, nullptr);
        g_object_unref(device_);
    }
    if (context_ != nullptr) {
        g_object_unref(context_);
    }
}

store::Status FprintMatcher::run(Operation& operation, const FingerImage& image,
                                 std::chrono::milliseconds left, std::chrono::milliseconds limit) {
    // The image goes over the socket once the reader waits for a finger: sent earlier, the
    // library would drop it.
    const QByteArray message = virtualReaderMessage(image);

    GCancellable* cancellable = g_cancellable_new();
    const guint timer = g_timeout_add(
        guint(left.count()),
        [](gpointer c) -> gboolean {
            g_cancellable_cancel(static_cast<GCancellable*>(c));
            return G_SOURCE_REMOVE;
        },
        cancellable);
    operation.start(cancellable, &Operation::finished, &operation);
    qsizetype sent = 0;
    bool feeding = false;
    while (!operation.done) {
        feeding = feeding || fp_device_get_finger_status(device_) == FP_FINGER_STATUS_NEEDED;
        if (feeding && sent < message.size()) {
            const ssize_t n = ::send(socket_, message.constData() + sent, message.size() - sent,
                                     MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += n;
            }
        }
        g_main_context_iteration(nullptr, feeding && sent < message.size() ? FALSE : TRUE);
    }
    cancelled_ = g_cancellable_is_cancelled(cancellable);
    if (!cancelled_) {
        g_source_remove(timer);
    }
    g_object_unref(cancellable);
    if (operation.error == nullptr) {
        return store::Status::success();
    }
    if (g_error_matches(operation.error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
        g_error_free(operation.error);
        return store::Error{
            QStringLiteral("the fingerprint search took longer than %1 ms").arg(limit.count())};
    }
    return store::Error{
        QStringLiteral("the fingerprint matcher failed: %1").arg(takeErrorText(operation.error))};
}

store::Result<Minutiae> FprintMatcher::extract(const FingerImage& image) {
    FpPrint* scanned = nullptr;
    Operation operation;
    operation.start = [&](GCancellable* c, GAsyncReadyCallback done, gpointer data) {
        fp_device_verify(device_, probeTemplate_, c, nullptr, nullptr, nullptr, done, data);
    };
    operation.finish = [&](GAsyncResult* result, GError** error) {
        gboolean match = FALSE;
        fp_device_verify_finish(device_, result, &match, &scanned, error);
    };
    const std::chrono::milliseconds limit(10000);
    const store::Status status = run(operation, image, limit, limit);
    if (!status.ok()) {
        return status.error();
    }
    if (scanned == nullptr) {
        return store::Error{QStringLiteral("the fingerprint matcher returned no print")};
    }
    auto minutiae = minutiaeOfPrint(scanned);
    g_object_unref(scanned);
    return minutiae;
}

store::Result<int> FprintMatcher::identify(const FingerImage& image, GPtrArray* gallery,
                                           std::chrono::milliseconds limit,
                                           std::chrono::steady_clock::time_point deadline) {
    // The library compares a whole gallery in one go and cannot be stopped in between: a large
    // gallery is searched in parts, in order, so that the search ends near its time limit.
    for (guint first = 0; first < gallery->len; first += kPartSize) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return kOutOfTime;
        }
        GPtrArray* part = g_ptr_array_new();
        for (guint i = first; i < gallery->len && i < first + kPartSize; ++i) {
            g_ptr_array_add(part, g_ptr_array_index(gallery, i));
        }
        auto found = identifyPart(image, part, limit, left);
        g_ptr_array_unref(part);
        if (!found.ok() && cancelled_) {
            return kOutOfTime;
        }
        if (!found.ok() || found.value() >= 0) {
            return found.ok() ? store::Result<int>(int(first) + found.value()) : found;
        }
    }
    return -1;
}

store::Result<int> FprintMatcher::identifyPart(const FingerImage& image, GPtrArray* part,
                                               std::chrono::milliseconds limit,
                                               std::chrono::milliseconds left) {
    FpPrint* match = nullptr;
    Operation operation;
    operation.start = [&](GCancellable* c, GAsyncReadyCallback done, gpointer data) {
        fp_device_identify(device_, part, c, nullptr, nullptr, nullptr, done, data);
    };
    operation.finish = [&](GAsyncResult* result, GError** error) {
        fp_device_identify_finish(device_, result, &match, nullptr, error);
    };
    const store::Status status = run(operation, image, left, limit);
    if (!status.ok()) {
        return status.error();
    }
    int index = -1;
    for (guint i = 0; match != nullptr && i < part->len; ++i) {
        if (g_ptr_array_index(part, i) == match) {
            index = int(i);
            break;
        }
    }
    if (match != nullptr) {
        g_object_unref(match);
    }
    return index;
}

} // namespace orvalen::biometrics
