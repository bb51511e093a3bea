#include "app/tool/contingency_command.h"

#include "contingency/copy_file.h"
#include "contingency/copy_refresh.h"
#include "contingency/replay.h"
#include "desk/club_database.h"
#include "shell/exception_log.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace orvalen::tool {

namespace {

constexpr auto kSaid = "orvalen contingency: ";

double megabytes(qint64 bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

int status(const store::LocalSettings& local, CommandContext& context) {
    const store::ContingencySettings& settings = local.contingency;
    context.out << "contingency: " << (settings.enabled ? "on" : "off") << '\n';
    if (!settings.problem.isEmpty()) {
        context.out << "problem: " << settings.problem << '\n';
        return 1;
    }
    context.out << "copy: " << settings.copyPath << '\n';
    if (!QFileInfo::exists(settings.copyPath)) {
        context.out << "no copy yet\n";
        return settings.enabled ? 1 : 0;
    }
    const auto info = contingency::readCopyInfo(settings.copyPath);
    if (!info.ok()) {
        context.err << kSaid << info.error().message << '\n';
        return 1;
    }
    const QDateTime now = QDateTime::currentDateTime();
    context.out << "taken: " << info->takenAt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                << " (" << info->takenAt.secsTo(now) / 60 << " minutes ago; decides for "
                << settings.maxAgeHours << " h)\n";
    context.out << "size: " << QString::number(megabytes(info->bytes), 'f', 1) << " MB\n";
    context.out << "waiting to be replayed: " << info->waiting << '\n';
    return contingency::youngEnough(info->takenAt, now, settings.maxAgeHours) ? 0 : 1;
}

int refresh(const QString& folder, CommandContext& context) {
    auto club = desk::openClubDatabase(folder, QStringLiteral("orvalen-contingency"),
                                       store::OpenMode::ReadOnly);
    if (!club.ok()) {
        context.err << kSaid << club.error().message << '\n';
        return 1;
    }
    const auto figures = contingency::refreshCopy(*club->connection, club->local.contingency,
                                                  QDateTime::currentDateTime());
    if (!figures.ok()) {
        context.err << kSaid << figures.error().message << '\n';
        return 1;
    }
    context.out << "copy " << club->local.contingency.copyPath << " refreshed: " << figures->rows
                << " rows, " << QString::number(megabytes(figures->bytes), 'f', 1) << " MB in "
                << figures->milliseconds << " ms";
    if (figures->carried > 0) {
        context.out << "; " << figures->carried << " writes still waiting kept";
    }
    context.out << '\n';
    return 0;
}

int replay(const QString& folder, CommandContext& context) {
    auto club = desk::openClubDatabase(folder, QStringLiteral("orvalen-contingency"));
    if (!club.ok()) {
        context.err << kSaid << club.error().message << '\n';
        return 1;
    }
    const QString copyPath = club->local.contingency.copyPath;
    if (!QFileInfo::exists(copyPath)) {
        context.out << "no copy at " << copyPath << ": nothing to replay\n";
        return 0;
    }
    auto copy = contingency::openCopy(copyPath, QStringLiteral("orvalen-contingency-copy"));
    if (!copy.ok()) {
        context.err << kSaid << copy.error().message << '\n';
        return 1;
    }
    shell::ExceptionLogFile log(shell::exceptionLogPath(QCoreApplication::applicationFilePath(),
                                                        club->local.exceptionLogPath));
    const auto figures = contingency::replayOutbox(*club->connection, *copy.value(), log,
                                                   QDateTime::currentDateTime());
    if (!figures.ok()) {
        context.err << kSaid << figures.error().message << '\n';
        return 1;
    }
    context.out << "replayed " << figures->replayed << " writes into the club database in "
                << figures->milliseconds << " ms; " << figures->already << " were there already; "
                << figures->conflicts << " conflicts\n";
    return 0;
}

} // namespace

int contingencyCommand(CommandContext& context) {
    QString folder;
    QString action;
    for (int i = 0; i < context.arguments.size(); ++i) {
        const QString& argument = context.arguments[i];
        if (argument == QLatin1String("--datalink-dir") && i + 1 < context.arguments.size()) {
            folder = context.arguments[++i];
        } else if (action.isEmpty() && !argument.startsWith(QLatin1String("--"))) {
            action = argument;
        } else {
            context.err << kSaid << "unexpected '" << argument << "'\n";
            return 2;
        }
    }
    if (folder.isEmpty()) {
        folder = store::dataLinkFolder({});
    }
    const auto local = store::LocalSettings::load(folder);
    if (!local.ok()) {
        context.err << kSaid << local.error().message << '\n';
        return 1;
    }
    if (action == QLatin1String("status")) {
        return status(local.value(), context);
    }
    if (!local->contingency.enabled) {
        context.err << kSaid
                    << (local->contingency.problem.isEmpty()
                            ? QStringLiteral("contingency is off in terminal.ini ([contingency] "
                                             "enabled=yes turns it on)")
                            : local->contingency.problem)
                    << '\n';
        return 1;
    }
    if (action == QLatin1String("refresh")) {
        return refresh(folder, context);
    }
    if (action == QLatin1String("replay")) {
        return replay(folder, context);
    }
    context.err << kSaid << "status, refresh or replay, not '" << action << "'\n";
    return 2;
}

} // namespace orvalen::tool
