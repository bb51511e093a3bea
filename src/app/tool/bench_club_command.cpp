#include "app/tool/bench_club_command.h"

#include "bench_club/bench_club.h"

#include <QDir>
#include <QElapsedTimer>
#include <functional>

namespace orvalen::tool {

namespace {

// A whole-number option and where its value goes.
struct SizeOption {
    const char* name;
    std::function<void(bench::BenchClubOptions&, qint64)> set;
};

const std::vector<SizeOption>& sizeOptions() {
    using O = bench::BenchClubOptions;
    static const std::vector<SizeOption> options{
        {"--active", [](O& o, qint64 v) { o.activeMembers = int(v); }},
        {"--total", [](O& o, qint64 v) { o.totalMembers = int(v); }},
        {"--receipts", [](O& o, qint64 v) { o.receipts = v; }},
        {"--history", [](O& o, qint64 v) { o.history = v; }},
        {"--today", [](O& o, qint64 v) { o.todayRows = int(v); }},
        {"--classes", [](O& o, qint64 v) { o.classes = int(v); }},
        {"--fingers", [](O& o, qint64 v) { o.fingers = int(v); }},
        {"--photos", [](O& o, qint64 v) { o.photos = int(v); }},
        {"--seed", [](O& o, qint64 v) { o.seed = quint32(v); }},
    };
    return options;
}

constexpr qint64 kLargestSize = 100000000;

int usage(CommandContext& context) {
    context.err << "usage: orvalen bench-club DIR [--active N] [--total N] [--receipts N] "
                   "[--history N] [--today N] [--classes N] [--fingers N] [--photos N] "
                   "[--seed N]\n";
    return 2;
}

} // namespace

int benchClubCommand(CommandContext& context) {
    bench::BenchClubOptions options;
    options.now = QDateTime::currentDateTime();
    QString folder;
    QStringList args = context.arguments;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        const auto option =
            std::find_if(sizeOptions().begin(), sizeOptions().end(),
                         [&](const SizeOption& o) { return arg == QLatin1String(o.name); });
        if (option != sizeOptions().end()) {
            const QString text = args.isEmpty() ? QString() : args.takeFirst();
            bool ok = false;
            const qint64 value = text.toLongLong(&ok);
            if (!ok || value < 0 || value > kLargestSize) {
                context.err << "orvalen bench-club: " << arg << " needs a whole number from 0 to "
                            << kLargestSize << ", not '" << text << "'\n";
                return 2;
            }
            option->set(options, value);
        } else if (folder.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            folder = arg;
        } else {
            return usage(context);
        }
    }
    if (folder.isEmpty()) {
        return usage(context);
    }
    if (const store::Status valid = bench::checkBenchClubOptions(options); !valid) {
        context.err << "orvalen bench-club: " << valid.error().message << '\n';
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    QString lastLine;
    const auto summary = bench::createBenchClub(
        folder, options, [&](const QString& step, qint64 done, qint64 total) {
            // A line each tenth of a step, so a log stays short.
            const qint64 tenth = total > 0 ? done * 10 / total : 10;
            const QString line = QStringLiteral("%1: %2%").arg(step).arg(tenth * 10);
            if (line != lastLine) {
                context.err << line << " (" << done << '/' << total << ", "
                            << clock.elapsed() / 1000 << " s)\n";
                context.err.flush();
                lastLine = line;
            }
        });
    if (!summary.ok()) {
        context.err << "orvalen bench-club: " << summary.error().message << '\n';
        return 1;
    }
    context.out << "created a large club in " << QDir(folder).absolutePath() << " in "
                << clock.elapsed() / 1000 << " s\n  " << summary->activeMembers
                << " active members, " << summary->totalMembers << " members on file, "
                << summary->receipts << " receipts, " << summary->history << " access rows, "
                << summary->fingers << " enrolled fingers\n";
    context.out.flush();
    return 0;
}

} // namespace orvalen::tool
