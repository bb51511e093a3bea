#include "app/tool/explain_command.h"

#include "app/tool/headless_terminal.h"
#include "desk/explain_run.h"
#include "desk/explanation_text.h"
#include "store/datalink.h"

#include <QJsonDocument>
#include <optional>

namespace orvalen::tool {

namespace {

const QString kCommand = QStringLiteral("explain");

struct ExplainOptions {
    QString folder;
    QString number;
    std::optional<QDate> date; // the business date to explain on
    QTime at;
    std::optional<double> branch;
    desk::Language language = desk::Language::Portuguese;
    bool json = false;
};

QDate readDate(const QString& text) {
    const QDate shortForm = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    return shortForm.isValid() ? shortForm : QDate::fromString(text, Qt::ISODate);
}

QTime readTime(const QString& text) {
    return QTime::fromString(text, text.size() > 5 ? QStringLiteral("HH:mm:ss")
                                                   : QStringLiteral("HH:mm"));
}

// --at takes HH:MM, or a date (dd/MM/yyyy or YYYY-MM-DD) and HH:MM. Gives the number of
// values it took, 0 when they do not read.
int readAt(const QStringList& arguments, int from, ExplainOptions& options) {
    if (from >= arguments.size())
        return 0;
    if (const QTime time = readTime(arguments[from]); time.isValid()) {
        options.at = time;
        return 1;
    }
    const QDate date = readDate(arguments[from]);
    if (!date.isValid() || from + 1 >= arguments.size())
        return 0;
    const QTime time = readTime(arguments[from + 1]);
    if (!time.isValid())
        return 0;
    options.date = date;
    options.at = time;
    return 2;
}

std::optional<ExplainOptions> parse(const QStringList& arguments, QTextStream& err) {
    ExplainOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--datalink-dir") && hasValue) {
            options.folder = arguments[++i];
        } else if (argument == QLatin1String("--at")) {
            const int taken = readAt(arguments, i + 1, options);
            if (taken == 0) {
                err << "orvalen explain: --at takes HH:MM, or a date (dd/mm/yyyy) and HH:MM, not '"
                    << arguments.mid(i + 1, 2).join(QLatin1Char(' ')) << "'\n";
                return std::nullopt;
            }
            i += taken;
        } else if (argument == QLatin1String("--branch") && hasValue) {
            options.branch = branchCode(arguments[++i], kCommand, err);
            if (!options.branch)
                return std::nullopt;
        } else if (argument == QLatin1String("--lang") && hasValue) {
            const QString language = arguments[++i];
            if (language == QLatin1String("en")) {
                options.language = desk::Language::English;
            } else if (language != QLatin1String("pt")) {
                err << "orvalen explain: --lang takes pt or en, not '" << language << "'\n";
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            err << "orvalen explain: unknown option '" << argument << "'\n";
            return std::nullopt;
        } else if (options.number.isEmpty()) {
            options.number = argument;
        } else {
            err << "orvalen explain: one number to explain, not '" << argument << "' as well\n";
            return std::nullopt;
        }
    }
    if (options.number.isEmpty()) {
        err << "orvalen explain: the number to explain is missing\n";
        return std::nullopt;
    }
    if (options.folder.isEmpty())
        options.folder = store::dataLinkFolder({});
    return options;
}

// The message boxes the screen showed while it opened: why it could not.
void sayWhyNotOpened(const desk::Explanation& explanation, QTextStream& err) {
    err << "orvalen explain: the terminal screen did not open";
    for (const desk::ShownText& shown : explanation.shown) {
        if (shown.place == terminal::Place::MessageBox)
            err << ": "
                << QString(shown.text).replace(QStringLiteral("\n\r"), QStringLiteral(" / "));
    }
    for (const QString& error : explanation.errors)
        err << " (" << error << ')';
    err << '\n';
}

} // namespace

int explainCommand(CommandContext& context) {
    const auto options = parse(context.arguments, context.err);
    if (!options)
        return 2;
    std::optional<desk::OpenClub> club =
        openClub(options->folder, kCommand, context.err, store::OpenMode::ReadOnly);
    if (!club)
        return 1;

    QDateTime start = QDateTime::currentDateTime();
    if (options->date)
        start.setDate(*options->date);
    if (options->at.isValid())
        start.setTime(options->at);
    desk::ExplainRequest request{options->number, start, options->date, {}};
    if (options->branch) {
        request.beforeTyping = [&](terminal::TerminalScreen& screen) {
            return chooseBranch(screen, *options->branch, kCommand, context.err);
        };
    }
    const desk::ExplainRun run = desk::explainIdentification(*club, request);
    if (!run.opened) {
        sayWhyNotOpened(run.explanation, context.err);
        return 1;
    }
    if (run.stopped)
        return 1;

    if (options->json) {
        context.out << QString::fromUtf8(
            QJsonDocument(desk::explanationJson(run.explanation, options->language))
                .toJson(QJsonDocument::Indented));
    } else {
        context.out << desk::explanationText(run.explanation, options->language);
    }
    context.out.flush();
    return run.closed ? 1 : 0;
}

} // namespace orvalen::tool
