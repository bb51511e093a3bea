// orvalen-load: several turnstiles on one club database, and long runs of one.
//
//   orvalen-load prepare DIR [--members N] [--limit N]   the demo club, made ready
//   orvalen-load run DIR --count N [--offset K] [--ledger FILE] [--name NAME]
//   orvalen-load check DIR LEDGER...                     the database against the ledgers
#include "load/load_club.h"
#include "load/load_run.h"
#include "shell/runtime_folder.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <optional>

namespace {

using namespace orvalen::load;

constexpr auto kUsage =
    "usage: orvalen-load prepare DIR [--members N] [--limit N]\n"
    "       orvalen-load run DIR --count N [--offset K] [--ledger FILE] [--name NAME]\n"
    "       orvalen-load check DIR LEDGER...\n";

// The value after an option, read as a whole number.
std::optional<long> numberAfter(const QStringList& arguments, int& i, QTextStream& err) {
    if (i + 1 >= arguments.size()) {
        err << "orvalen-load: " << arguments[i] << " needs a value\n";
        return std::nullopt;
    }
    bool ok = false;
    const long value = arguments[++i].toLong(&ok);
    if (!ok || value < 0) {
        err << "orvalen-load: " << arguments[i - 1] << " takes a whole number, not '"
            << arguments[i] << "'\n";
        return std::nullopt;
    }
    return value;
}

int prepare(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    LoadClubOptions options;
    for (int i = 2; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const auto value = numberAfter(arguments, i, err);
        if (!value) {
            return 2;
        }
        if (option == QLatin1String("--members")) {
            options.members = static_cast<int>(*value);
        } else if (option == QLatin1String("--limit")) {
            options.dailyLimit = static_cast<int>(*value);
        } else {
            err << "orvalen-load prepare: unknown option '" << option << "'\n";
            return 2;
        }
    }
    const orvalen::store::Status prepared = prepareLoadClub(arguments[1], options);
    if (!prepared.ok()) {
        err << "orvalen-load prepare: " << prepared.error().message << '\n';
        return 1;
    }
    out << "prepared " << arguments[1] << '\n';
    return 0;
}

int run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    LoadRunOptions options;
    options.folder = arguments[1];
    for (int i = 2; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if ((option == QLatin1String("--ledger") || option == QLatin1String("--name")) &&
            i + 1 < arguments.size()) {
            (option == QLatin1String("--ledger") ? options.ledger : options.name) = arguments[++i];
            continue;
        }
        const auto value = numberAfter(arguments, i, err);
        if (!value) {
            return 2;
        }
        if (option == QLatin1String("--count")) {
            options.count = *value;
        } else if (option == QLatin1String("--offset")) {
            options.offset = *value;
        } else {
            err << "orvalen-load run: unknown option '" << option << "'\n";
            return 2;
        }
    }
    const LoadRunResult result = runLoad(options);
    out << describe(options, result) << '\n';
    return result.clean() ? 0 : 1;
}

int check(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    RowCounts reported;
    for (int i = 2; i < arguments.size(); ++i) {
        QFile file(arguments[i]);
        if (!file.open(QIODevice::ReadOnly)) {
            err << "orvalen-load check: cannot read the ledger " << arguments[i] << '\n';
            return 1;
        }
        const QStringList unreadable = addLedger(QString::fromUtf8(file.readAll()), reported);
        if (!unreadable.isEmpty()) {
            err << "orvalen-load check: " << arguments[i]
                << " has lines that are not rows, such as '" << unreadable.first() << "'\n";
            return 1;
        }
    }
    const auto report = checkLoadClub(arguments[1], reported);
    if (!report.ok()) {
        err << "orvalen-load check: " << report.error().message << '\n';
        return 1;
    }
    out << "rows in the database " << report->rowsInDatabase << ", reported written "
        << report->rowsReported << ", grants " << report->grants << ", faults "
        << report->faults.size() << '\n';
    for (const QString& fault : report->faults) {
        out << "fault: " << fault << '\n';
    }
    return report->faults.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // Pictures are lettered and photos decoded without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    orvalen::shell::ensureRuntimeFolder(); // else Qt warns on every call where there is none
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() < 2) {
        err << kUsage;
        return 2;
    }
    const QString& command = arguments[0];
    if (command == QLatin1String("prepare")) {
        return prepare(arguments, out, err);
    }
    if (command == QLatin1String("run")) {
        return run(arguments, out, err);
    }
    if (command == QLatin1String("check")) {
        return check(arguments, out, err);
    }
    err << kUsage;
    return 2;
}
