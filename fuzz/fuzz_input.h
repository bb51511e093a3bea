#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The entry point every target defines; libFuzzer calls it, and so does the replay of the
// committed corpus in the normal build.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvalen::fuzz {

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The same bytes as a keyboard, a file or a reader might hand them over: as UTF-8 (broken
// sequences become replacement characters) and as 8-bit text.
inline QString utf8Text(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}
inline QString latin1Text(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

// A property of the code under test that the input broke: stop loudly so the fuzzer keeps
// the input and the replay fails.
[[noreturn]] inline void broken(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

inline void require(bool holds, const char* what) {
    if (!holds) {
        broken(what);
    }
}

} // namespace orvalen::fuzz
