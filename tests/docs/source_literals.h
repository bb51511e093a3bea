#pragma once

#include <QList>
#include <QString>

namespace orvalen::test {

// One string literal of C++ source, adjacent literals joined as the compiler joins them, its
// escapes undone; comments are not source.
struct SourceLiteral {
    QString text;
    int line = 0;               // where it begins
    bool avisoArgument = false; // written inside the parentheses of an AVISO(...) call
};

QList<SourceLiteral> sourceLiterals(const QString& code);

// A file of the source tree (ORVALEN_SOURCE_DIR), read whole; empty when unreadable.
QString sourceFile(const QString& relativePath);
QString sourceRoot();

} // namespace orvalen::test
