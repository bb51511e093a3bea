// `orvalen --help`, the man page's synopsis and the README's command table name the same
// commands with the same options. Each place may word a command as it likes; what is checked
// is the set of commands (the word after "orvalen") and, for each, the set of its --options.
// A new command or option goes into all three (src/app/tool/commands.cpp, the SYNOPSIS and a
// COMMANDS paragraph of packaging/orvalen.1, the table under "## The `orvalen` command" of
// README.md).
#include "app/tool/commands.h"
#include "source_literals.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

using Reference = QMap<QString, QSet<QString>>; // command -> its options

// Adds one written form ("orvalen demo create DIR [--members N]" or, from the help, without
// "orvalen") to the reference.
void addForm(Reference& reference, QString form) {
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z0-9-]*"));
    form = form.simplified();
    if (form.startsWith(QLatin1String("orvalen "))) {
        form = form.mid(8);
    }
    const QString command = form.section(QLatin1Char(' '), 0, 0);
    if (command.isEmpty() || command.startsWith(QLatin1String("--"))) {
        return; // `orvalen --help` is the listing itself, no command
    }
    QSet<QString>& options = reference[command];
    for (auto match = option.globalMatch(form.mid(command.size())); match.hasNext();) {
        options.insert(match.next().captured());
    }
}

Reference fromHelp() {
    Reference reference;
    for (const tool::Command& command : tool::allCommands()) {
        EXPECT_EQ(QString::fromUtf8(command.usage).section(QLatin1Char(' '), 0, 0),
                  QString::fromUtf8(command.name));
        addForm(reference, QString::fromUtf8(command.usage));
    }
    return reference;
}

// The man page's text with its font requests and escapes taken away.
QString plainRoff(const QString& roff) {
    QString text = roff;
    text.replace(QLatin1String("\\-"), QLatin1String("-"));
    text.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    text.remove(QRegularExpression(QStringLiteral("^\\.(B|I|R|BR|RB|IR|RI|BI|IB) ?"),
                                   QRegularExpression::MultilineOption));
    text.remove(QLatin1Char('"'));
    return text;
}

QString section(const QString& text, const QString& heading, const QString& nextHeading) {
    const qsizetype start = text.indexOf(heading);
    if (start < 0) {
        return {};
    }
    const qsizetype end = text.indexOf(nextHeading, start + heading.size());
    return text.mid(start + heading.size(), end < 0 ? -1 : end - start - heading.size());
}

Reference fromManSynopsis(const QString& man) {
    Reference reference;
    const QString synopsis = section(man, QStringLiteral(".SH SYNOPSIS"), QStringLiteral(".SH "));
    for (const QString& form : synopsis.split(QStringLiteral(".br"))) {
        addForm(reference, plainRoff(form).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    return reference;
}

// The commands the man page's COMMANDS section gives a paragraph of their own (".B name").
QSet<QString> manParagraphs(const QString& man) {
    const QString commands =
        plainRoff(section(man, QStringLiteral(".SH COMMANDS"), QStringLiteral(".SH "))
                      .prepend(QLatin1Char('\n')));
    QSet<QString> names;
    static const QRegularExpression paragraph(QStringLiteral("\\n\\.TP\\n([a-z][a-z0-9-]*)"));
    for (auto match = paragraph.globalMatch(commands); match.hasNext();) {
        names.insert(match.next().captured(1));
    }
    return names;
}

Reference fromReadme(const QString& readme) {
    Reference reference;
    const QString table =
        section(readme, QStringLiteral("## The `orvalen` command"), QStringLiteral("\n## "));
    static const QRegularExpression form(QStringLiteral("`(orvalen [^`]*)`"));
    for (const QString& row : table.split(QLatin1Char('\n'))) {
        if (!row.startsWith(QLatin1String("| `orvalen"))) {
            continue;
        }
        const QString firstCell = row.section(QStringLiteral("` | "), 0, 0) + QLatin1Char('`');
        for (auto match = form.globalMatch(firstCell); match.hasNext();) {
            addForm(reference,
                    match.next().captured(1).replace(QLatin1String("\\|"), QLatin1String("|")));
        }
    }
    return reference;
}

std::string describe(const Reference& reference) {
    QStringList lines;
    for (auto it = reference.begin(); it != reference.end(); ++it) {
        QStringList options(it.value().begin(), it.value().end());
        options.sort();
        lines << it.key() + QStringLiteral(": ") + options.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

TEST(CommandReference, HelpManPageAndReadmeAgree) {
    const QString man = sourceFile(QStringLiteral("packaging/orvalen.1"));
    const QString readme = sourceFile(QStringLiteral("README.md"));
    ASSERT_FALSE(man.isEmpty());
    ASSERT_FALSE(readme.isEmpty());
    const Reference help = fromHelp();
    ASSERT_TRUE(help.contains(QStringLiteral("identify")) &&
                help[QStringLiteral("identify")].contains(QStringLiteral("--finger")))
        << describe(help);
    EXPECT_EQ(describe(fromManSynopsis(man)), describe(help)) << "the man page's SYNOPSIS";
    EXPECT_EQ(describe(fromReadme(readme)), describe(help)) << "README.md's command table";
    const QSet<QString> described = manParagraphs(man);
    for (auto it = help.begin(); it != help.end(); ++it) {
        EXPECT_TRUE(described.contains(it.key()))
            << "no paragraph for " << it.key().toStdString() << " in the man page's COMMANDS";
    }
}

// The readings above on small samples: roff escapes, a table row's own cell, the help's
// listing left out.
TEST(CommandReference, FormsAreReadFromEachPlace) {
    const Reference man = fromManSynopsis(QStringLiteral(
        ".SH SYNOPSIS\n.B orvalen demo create\n.I DIR\n.RB [ \\-\\-devices \" | \" "
        "\\-\\-no\\-devices ]\n.br\n.B orvalen \\-\\-help\n.SH DESCRIPTION\n.B \\-\\-other\n"));
    EXPECT_EQ(describe(man), "demo: --devices --no-devices");
    const Reference readme = fromReadme(QStringLiteral(
        "## The `orvalen` command\n\n| command | what |\n|---|---|\n"
        "| `orvalen log [--date DATE] [--status L\\|S]` and `orvalen bench [--count N]` | "
        "as `orvalen log --number N` does |\n\n## Next\n| `orvalen x --y` | z |\n"));
    EXPECT_EQ(describe(readme), "bench: --count\nlog: --date --status");
    EXPECT_EQ(manParagraphs(QStringLiteral(".SH COMMANDS\n.TP\n.B bench\\-club \\fIDIR\\fR\n"
                                           "Creates\n.TP\n.B \\-\\-help\nLists\n.SH X\n")),
              (QSet<QString>{QStringLiteral("bench-club")}));
}

} // namespace
} // namespace orvalen::test
