#pragma once

#include "biometrics/finger_image.h"
#include "store/result.h"

#include <QString>

namespace orvalen::biometrics {

// The environment variable that makes the fingerprint library offer a virtual image reader,
// listening on the Unix socket it names (the demo club and the tests use it).
inline constexpr const char* kVirtualReaderVariable = "FP_VIRTUAL_IMAGE";

// What a virtual image reader reads as one finger: width and height as native 32-bit
// integers, then the pixels.
QByteArray virtualReaderMessage(const FingerImage& image);

// Places a finger on the virtual reader listening at the socket: the image's width and height
// as native 32-bit integers, then its pixels. The reader takes it while it waits for a finger.
store::Status sendToVirtualReader(const QString& socketPath, const FingerImage& image);

} // namespace orvalen::biometrics
