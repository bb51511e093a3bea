// The operator's guide against the texts of the program, both ways.
//
// Operator-visible, for this check, is every line of a string literal in the program's own
// source (src/, but not src/app/tool, whose words are for installers, nor src/hardware, whose
// words go to the exception log) that either
//   - is written inside the parentheses of an AVISO(...) call (a message box's text or detail), or
//   - ends as the terminal's messages end: a letter or digit, at most one space, then "!",
//     "!!!", "?" or a single "." ("Inexistente !!!", "Tentar novamente?", "Tec12 Configurado.").
// Every such line must be quoted in docs/guia-do-operador.md, as a whole quote or as a part of
// one between "…" (the guide's mark for a part the program fills in). Every quote of the guide
// must in turn be found in the program's literals, part by part.
//
// Whoever adds a text the operator can see (a new message box, a panel text, a page of the
// desk) adds a row for it to the guide with what to do; a literal that this rule picks up but
// no operator ever sees goes into kNeverShown below, with why.
#include "source_literals.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace orvalen::test {
namespace {

// Literals the rule above picks up that no operator sees, each with the reason.
const QSet<QString> kNeverShown = {
    // The desk page's answer to a picture address it never builds itself.
    QStringLiteral("foto de quem?"),
};

bool isProductSource(const QString& relative) {
    return (relative.endsWith(QLatin1String(".cpp")) || relative.endsWith(QLatin1String(".h"))) &&
           !relative.startsWith(QLatin1String("src/app/tool/")) &&
           !relative.startsWith(QLatin1String("src/hardware/"));
}

struct SourceText {
    QString text;
    QString where; // file:line
    bool visible = false;
};

QList<SourceText> programTexts() {
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    static const QRegularExpression messageEnd(QStringLiteral("[\\p{L}\\p{N}] ?(!+|\\?|\\.)$"));
    static const QRegularExpression letters(QStringLiteral("\\p{L}.*\\p{L}"));
    QList<SourceText> texts;
    const QString root = sourceRoot();
    QDirIterator files(root + QStringLiteral("/src"), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = files.next().mid(root.size() + 1);
        if (!isProductSource(relative)) {
            continue;
        }
        for (const SourceLiteral& literal : sourceLiterals(sourceFile(relative))) {
            for (const QString& piece : literal.text.split(lineBreaks, Qt::SkipEmptyParts)) {
                const QString line = piece.trimmed();
                const bool visible = line.contains(letters) &&
                                     (literal.avisoArgument || line.contains(messageEnd)) &&
                                     !kNeverShown.contains(line);
                texts.append(
                    {line, relative + QLatin1Char(':') + QString::number(literal.line), visible});
            }
        }
    }
    return texts;
}

// The guide's quotes, each cut at "…" into the parts the program writes as they are.
QList<QStringList> guideQuotes(const QString& guide) {
    static const QRegularExpression quote(QStringLiteral("\"([^\"\\n]+)\""));
    QList<QStringList> quotes;
    for (auto match = quote.globalMatch(guide); match.hasNext();) {
        QStringList parts;
        for (const QString& part : match.next().captured(1).split(QChar(0x2026))) {
            if (!part.trimmed().isEmpty()) {
                parts << part.trimmed();
            }
        }
        if (!parts.isEmpty()) {
            quotes << parts;
        }
    }
    return quotes;
}

TEST(OperatorGuide, QuotesEveryTextTheOperatorCanSeeAndNoOther) {
    const QString guide = sourceFile(QStringLiteral("docs/guia-do-operador.md"));
    ASSERT_FALSE(guide.isEmpty()) << "docs/guia-do-operador.md is unreadable";
    const QList<SourceText> texts = programTexts();
    ASSERT_GT(texts.size(), 100) << "the program's source was not found under "
                                 << sourceRoot().toStdString();
    const QList<QStringList> quotes = guideQuotes(guide);

    QSet<QString> quotedParts;
    for (const QStringList& parts : quotes) {
        for (const QString& part : parts) {
            quotedParts.insert(part);
        }
    }
    QStringList missingFromGuide;
    int visible = 0;
    for (const SourceText& text : texts) {
        if (text.visible) {
            ++visible;
            if (!quotedParts.contains(text.text)) {
                missingFromGuide << QStringLiteral("\"%1\" (%2)").arg(text.text, text.where);
            }
        }
    }
    missingFromGuide.removeDuplicates();
    EXPECT_GT(visible, 40) << "the rule found too few texts: is the source scanned?";
    EXPECT_TRUE(missingFromGuide.isEmpty())
        << "shown by the program but not quoted in the operator's guide:\n  "
        << missingFromGuide.join(QStringLiteral("\n  ")).toStdString();

    QStringList notInProgram;
    for (const QStringList& parts : quotes) {
        for (const QString& part : parts) {
            const bool found = std::any_of(texts.begin(), texts.end(), [&](const SourceText& t) {
                return t.text.contains(part);
            });
            if (!found) {
                notInProgram << QStringLiteral("\"%1\"").arg(part);
            }
        }
    }
    notInProgram.removeDuplicates();
    EXPECT_TRUE(notInProgram.isEmpty())
        << "quoted in the operator's guide but written nowhere in the program:\n  "
        << notInProgram.join(QStringLiteral("\n  ")).toStdString();
}

// The reading of the source the check above stands on: comments are no texts, adjacent
// literals are one, escapes are undone, and an AVISO call's literals are known as such.
TEST(OperatorGuide, SourceLiteralsAreReadAsTheCompilerReadsThem) {
    const QString code = QStringLiteral(
        "// \"Comentário !\"\n"
        "aviso.AVISO(QStringLiteral(\"!\"), QStringLiteral(\"Registro já alocado\"));\n"
        "const auto k = QStringLiteral(\"Problema no Banco !\\n\\r\"\n"
        "    /* \"outro\" */ \"Tentar novamente?\"); int n = 1'000; char c = '\"';\n"
        "f(\"http://x\", AVISO (a, g(\"Sim\"), \"Não\"), \"fora\");\n");
    const QList<SourceLiteral> literals = sourceLiterals(code);
    ASSERT_EQ(literals.size(), 7);
    EXPECT_EQ(literals[0].text, QStringLiteral("!"));
    EXPECT_TRUE(literals[0].avisoArgument);
    EXPECT_EQ(literals[1].text, QStringLiteral("Registro já alocado"));
    EXPECT_TRUE(literals[1].avisoArgument);
    EXPECT_EQ(literals[2].text, QStringLiteral("Problema no Banco !\n\rTentar novamente?"));
    EXPECT_EQ(literals[2].line, 3);
    EXPECT_FALSE(literals[2].avisoArgument);
    EXPECT_EQ(literals[3].text, QStringLiteral("http://x"));
    EXPECT_TRUE(literals[4].avisoArgument && literals[5].avisoArgument);
    EXPECT_EQ(literals[5].text, QStringLiteral("Não"));
    EXPECT_EQ(literals[6].text, QStringLiteral("fora"));
    EXPECT_FALSE(literals[6].avisoArgument);
}

} // namespace
} // namespace orvalen::test
