#include "app/tool/bench_command.h"

#include "app/tool/bench_fingerprint.h"
#include "app/tool/bench_terminal.h"
#include "store/datalink.h"

#include <QJsonDocument>
#include <QTime>
#include <optional>

namespace orvalen::tool {

namespace {

struct BenchOptions {
    TerminalBenchOptions terminal;
    FingerprintBenchOptions fingerprint;
    bool json = false;
};

constexpr int kLargestCount = 10000000;

int usage(QTextStream& err) {
    err << "usage: orvalen bench [--datalink-dir DIR] [--count N] [--names N] [--fingers N] "
           "[--at HH:MM] [--seed N] [--json]\n";
    return 2;
}

// A whole-number option, the least value it takes and where the value goes.
struct CountOption {
    const char* name;
    int least;
    void (*set)(BenchOptions&, int);
};

constexpr CountOption kCountOptions[] = {
    {"--count", 1, [](BenchOptions& o, int v) { o.terminal.count = v; }},
    {"--names", 0, [](BenchOptions& o, int v) { o.terminal.nameSearches = v; }},
    {"--fingers", 0, [](BenchOptions& o, int v) { o.fingerprint.enrolled = v; }},
    {"--seed", 0, [](BenchOptions& o, int v) { o.terminal.seed = quint32(v); }},
};

// Sets the option from its text; false after saying why not.
bool setOption(const QString& argument, const QString& value, BenchOptions& options,
               QTextStream& err) {
    if (argument == QLatin1String("--datalink-dir")) {
        options.terminal.folder = value;
        return true;
    }
    if (argument == QLatin1String("--at")) {
        const QTime at = QTime::fromString(value, QStringLiteral("HH:mm"));
        if (!at.isValid()) {
            err << "orvalen bench: --at takes HH:MM, not '" << value << "'\n";
            return false;
        }
        options.terminal.start.setTime(at);
        return true;
    }
    for (const CountOption& option : kCountOptions) {
        if (argument != QLatin1String(option.name)) {
            continue;
        }
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok || number < option.least || number > kLargestCount) {
            err << "orvalen bench: " << argument << " needs a whole number from " << option.least
                << " to " << kLargestCount << ", not '" << value << "'\n";
            return false;
        }
        option.set(options, number);
        return true;
    }
    usage(err);
    return false;
}

std::optional<BenchOptions> parse(const QStringList& arguments, QTextStream& err) {
    BenchOptions options;
    options.terminal.start = QDateTime::currentDateTime();
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--json")) {
            options.json = true;
        } else if (i + 1 >= arguments.size()) {
            usage(err);
            return std::nullopt;
        } else if (!setOption(arguments[i], arguments[i + 1], options, err)) {
            return std::nullopt;
        } else {
            ++i;
        }
    }
    if (options.terminal.folder.isEmpty()) {
        options.terminal.folder = store::dataLinkFolder({});
    }
    options.fingerprint.folder = options.terminal.folder;
    return options;
}

} // namespace

int benchCommand(CommandContext& context) {
    const auto options = parse(context.arguments, context.err);
    if (!options) {
        return 2;
    }
    BenchFigures figures;
    if (const store::Status s = measureTerminal(options->terminal, figures); !s.ok()) {
        context.err << "orvalen bench: " << s.error().message << '\n';
        for (const QString& error : figures.errors) {
            context.err << "  error logged: " << error << '\n';
        }
        return 1;
    }
    if (options->fingerprint.enrolled > 0) {
        // A fingerprint search that fails leaves its figure unmeasured, not the others.
        if (const store::Status s = measureFingerprint(options->fingerprint, figures); !s.ok()) {
            figures.fingerprintMs.reset();
            figures.fingerprintNote = QStringLiteral("not measured: ") + s.error().message;
        }
    } else {
        figures.fingerprintNote = QStringLiteral("not measured: --fingers 0");
    }
    if (options->json) {
        context.out << QString::fromUtf8(
                           QJsonDocument(figures.toJson()).toJson(QJsonDocument::Compact))
                    << '\n';
    } else {
        figures.print(context.out);
    }
    context.out.flush();
    return 0;
}

} // namespace orvalen::tool
