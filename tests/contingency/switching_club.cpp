#include "contingency/switching_club.h"

#include "contingency/copy_file.h"
#include "contingency/copy_refresh.h"

#include <QFile>
#include <gtest/gtest.h>

namespace orvalen::test {

SwitchingClub::SwitchingClub(Route route) : h(route) {
    h.addStudent(kPaid);
    settings.enabled = true;
    settings.copyPath = copyFolder.filePath(QStringLiteral("copy.db"));
    EXPECT_TRUE(contingency::refreshCopy(h.db.connection(), settings, h.clock.now()).ok());
    away = std::make_unique<contingency::AwaySwitch>(h.db.connection(), settings, h.errorLog,
                                                     [this] { return h.clock.now(); });
    h.writer = &away->writer();
    h.connectionSwitch = away.get();
    h.open();
}

void SwitchingClub::takeAway() const {
    ASSERT_TRUE(QFile::rename(h.db.file(), h.db.file() + QStringLiteral(".away")));
}

void SwitchingClub::bringBack() const {
    ASSERT_TRUE(QFile::rename(h.db.file() + QStringLiteral(".away"), h.db.file()));
}

int SwitchingClub::waiting() const {
    const auto info = contingency::readCopyInfo(settings.copyPath);
    EXPECT_TRUE(info.ok());
    return info.ok() ? info->waiting : -1;
}

} // namespace orvalen::test
