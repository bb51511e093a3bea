#include "support/odd_files.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalen::test {

void placeOddFile(const QString& path, OddFile kind) {
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case OddFile::Fifo:
        ASSERT_EQ(mkfifo(name.constData(), 0644), 0);
        break;
    case OddFile::Folder:
        ASSERT_TRUE(QDir().mkdir(path));
        break;
    case OddFile::DevZeroLink:
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path));
        break;
    case OddFile::DanglingLink:
        ASSERT_TRUE(QFile::link(path + QStringLiteral(".gone"), path));
        break;
    case OddFile::Oversized: {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(QByteArray(2 * 1024 * 1024, 'A')), 2 * 1024 * 1024);
        break;
    }
    }
}

void finishesPromptly(const QString& path, const std::function<void()>& call) {
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
        done.get();
        return;
    }
    ADD_FAILURE() << "still waiting on " << path.toStdString() << " after 5 s";
    // A writer that comes and goes: the waiting open returns and its read meets the end.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
    }
    done.wait();
}

} // namespace orvalen::test
