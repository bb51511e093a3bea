#pragma once

#include "store/dialect.h"

#include <QString>
#include <vector>

namespace orvalen::store {

// One statement the terminal can send, as it is sent in one dialect.
struct CatalogueEntry {
    QString name;
    QString usedWhere;
    QString text;
};

// The catalogue of every statement the product can send, so that a club's DBA (and our
// grammar check) sees exactly what the running code sends: the code takes each text from
// its entry here, never from a second copy.
//
// Joining it: beside the code that sends a statement, one line at namespace scope
//     const store::Statement kPaid{"RECEB paid month", "payment status", "SELECT ..."};
// (or, where the dialects differ, a function of the dialect instead of the text), and the
// code runs kPaid.text(connection.dialect()). A statement built once per item of a list
// (one per table, per index) registers a function that builds every item's entry:
//     const store::StatementFamily kChecks{&tableCheckEntries};
// A text that is empty for a dialect is not sent in it.
class Statement {
public:
    using Build = QString (*)(const Dialect&);

    Statement(const char* name, const char* usedWhere, const char* text);
    Statement(const char* name, const char* usedWhere, Build build);

    QString text(const Dialect& dialect) const;
    CatalogueEntry entry(const Dialect& dialect) const;

private:
    const char* name_;
    const char* usedWhere_;
    const char* text_ = nullptr;
    Build build_ = nullptr;
};

class StatementFamily {
public:
    using Build = std::vector<CatalogueEntry> (*)(const Dialect&);
    explicit StatementFamily(Build build);
};

// Every registered statement sent in the dialect, ordered by name.
std::vector<CatalogueEntry> statementCatalogue(const Dialect& dialect);

// The catalogue as `orvalen statements` prints it: "-- NAME: where it is used", the
// statement, a blank line between entries.
QString catalogueText(const Dialect& dialect);

} // namespace orvalen::store
