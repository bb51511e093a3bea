#include "app/tool/log_command.h"

#include "app/tool/headless_terminal.h"
#include "desk/access_rows.h"
#include "store/datalink.h"
#include "store/table_opening.h"

#include <QRegularExpression>
#include <algorithm>

namespace orvalen::tool {

namespace {

const QString kCommand = QStringLiteral("log");

struct LogOptions {
    QString folder;
    desk::AccessFilter filter;
};

std::optional<LogOptions> parse(const QStringList& arguments, QTextStream& err) {
    LogOptions options;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,10}$"));
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const QString value = hasValue ? arguments[i + 1] : QString();
        if (argument == QLatin1String("--datalink-dir") && hasValue) {
            options.folder = value;
        } else if (argument == QLatin1String("--date") && hasValue) {
            QDate date = QDate::fromString(value, QStringLiteral("dd/MM/yyyy"));
            if (!date.isValid())
                date = QDate::fromString(value, Qt::ISODate);
            if (!date.isValid()) {
                err << "orvalen log: --date takes dd/mm/yyyy or YYYY-MM-DD, not '" << value
                    << "'\n";
                return std::nullopt;
            }
            options.filter.date = date;
        } else if (argument == QLatin1String("--number") && hasValue) {
            if (!digits.match(value).hasMatch()) {
                err << "orvalen log: --number takes up to 10 digits, not '" << value << "'\n";
                return std::nullopt;
            }
            // Stored with ten digits, zeros in front, as the terminal writes it.
            options.filter.number = value.rightJustified(10, QLatin1Char('0'));
        } else if (argument == QLatin1String("--status") && hasValue) {
            static const QStringList statuses{QStringLiteral("L"), QStringLiteral("S"),
                                              QStringLiteral("H"), QStringLiteral("V")};
            if (!statuses.contains(value)) {
                err << "orvalen log: --status takes L, S, H or V, not '" << value << "'\n";
                return std::nullopt;
            }
            options.filter.status = value;
        } else {
            err << "orvalen log: unknown argument '" << argument << "'\n";
            return std::nullopt;
        }
        ++i;
    }
    if (options.folder.isEmpty())
        options.folder = store::dataLinkFolder({});
    return options;
}

// The rows as aligned columns, each as wide as its widest value.
QString asTable(const std::vector<desk::AccessRow>& rows) {
    std::vector<QStringList> lines{{QStringLiteral("DATE"), QStringLiteral("TIME"),
                                    QStringLiteral("NUMBER"), QStringLiteral("NAME"),
                                    QStringLiteral("STATUS"), QStringLiteral("OBS"),
                                    QStringLiteral("UNIT"), QStringLiteral("TABLE")}};
    for (const desk::AccessRow& row : rows) {
        lines.push_back({row.date.toString(QStringLiteral("dd/MM/yyyy")),
                         row.time.toString(QStringLiteral("HH:mm:ss")), row.number, row.name,
                         row.status, row.obs, row.unit, row.table});
    }
    std::vector<qsizetype> widths(lines.front().size(), 0);
    for (const QStringList& line : lines) {
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    }
    QString text;
    for (const QStringList& line : lines) {
        QString out;
        for (qsizetype i = 0; i < line.size(); ++i)
            out += line[i].leftJustified(widths[i] + 2);
        text += out.trimmed() + QLatin1Char('\n');
    }
    return text;
}

} // namespace

int logCommand(CommandContext& context) {
    std::optional<LogOptions> options = parse(context.arguments, context.err);
    if (!options)
        return 2;
    std::optional<desk::OpenClub> club =
        openClub(options->folder, kCommand, context.err, store::OpenMode::ReadOnly);
    if (!club)
        return 1;
    // Without a date or a number, the day is the business date (the last caixa row).
    if (!options->filter.date && !options->filter.number) {
        const auto businessDate = store::readBusinessDate(*club->connection);
        if (!businessDate.ok()) {
            context.err << "orvalen log: " << businessDate.error().message << '\n';
            return 1;
        }
        if (!businessDate->known()) {
            context.err << "orvalen log: " << businessDate->problem << '\n';
            return 1;
        }
        options->filter.date = businessDate->day;
    }
    const auto rows = desk::readAccessRows(*club->connection, options->filter);
    if (!rows.ok()) {
        context.err << "orvalen log: " << rows.error().message << '\n';
        return 1;
    }
    if (rows->empty()) {
        context.out << "no access rows";
        if (options->filter.date)
            context.out << " on " << options->filter.date->toString(QStringLiteral("dd/MM/yyyy"));
        if (options->filter.number)
            context.out << " for " << *options->filter.number;
        context.out << '\n';
    } else {
        context.out << asTable(rows.value());
    }
    context.out.flush();
    return 0;
}

} // namespace orvalen::tool
