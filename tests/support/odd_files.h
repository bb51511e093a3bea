#pragma once

#include <QString>
#include <functional>

namespace orvalen::test {

// What may stand where a configuration file should be.
enum class OddFile {
    Fifo,         // a named pipe nobody writes: a reader that opens it waits for ever
    Folder,       // a directory of that name
    DevZeroLink,  // a link to /dev/zero: a reader that reads to the end never ends
    DanglingLink, // a link to a file that does not exist
    Oversized,    // a regular file of 2 MB
};

struct OddFileCase {
    const char* name;
    OddFile kind;
};
inline constexpr OddFileCase kOddFiles[] = {
    {"FIFO", OddFile::Fifo},
    {"folder", OddFile::Folder},
    {"link to /dev/zero", OddFile::DevZeroLink},
    {"dangling link", OddFile::DanglingLink},
    {"2 MB file", OddFile::Oversized},
};

// Puts such a thing at path (nothing must be there).
void placeOddFile(const QString& path, OddFile kind);

// Runs the call and fails the test when it has not returned within a few seconds; a FIFO the
// call waits on is then opened and closed from this side so that the call ends and the test
// program goes on to the next case.
void finishesPromptly(const QString& path, const std::function<void()>& call);

} // namespace orvalen::test
