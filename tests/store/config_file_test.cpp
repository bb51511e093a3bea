#include "store/datalink.h"
#include "store/local_settings.h"
#include "support/odd_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace orvalen::store {
namespace {

// The data link and the local settings are read only when they are regular files of a
// sensible size: anything else is an error that names the file, and no read waits or grows.
TEST(ConfigurationFiles, WhatIsNotASmallRegularFileIsAnErrorNamingIt) {
    struct Reader {
        const char* file;
        std::function<std::optional<Error>(const QString& folder)> read;
    };
    const Reader readers[] = {
        {"Orvalen.udl",
         [](const QString& folder) -> std::optional<Error> {
             auto link = readDataLink(QDir(folder).filePath(QLatin1String(kMainDataLink)));
             return link.ok() ? std::nullopt : std::optional(link.error());
         }},
        {"terminal.ini",
         [](const QString& folder) -> std::optional<Error> {
             auto settings = LocalSettings::load(folder);
             return settings.ok() ? std::nullopt : std::optional(settings.error());
         }},
    };
    for (const Reader& reader : readers) {
        for (const test::OddFileCase& odd : test::kOddFiles) {
            SCOPED_TRACE(std::string(reader.file) + " as " + odd.name);
            const QTemporaryDir folder;
            const QString path = QDir(folder.path()).filePath(QLatin1String(reader.file));
            test::placeOddFile(path, odd.kind);
            std::optional<Error> error;
            test::finishesPromptly(path, [&] { error = reader.read(folder.path()); });
            ASSERT_TRUE(error.has_value());
            EXPECT_TRUE(error->message.contains(path)) << error->message.toStdString();
        }
    }
}

} // namespace
} // namespace orvalen::store
