#include "store/statement_catalogue.h"

#include <QStringList>
#include <algorithm>
#include <variant>

namespace orvalen::store {

namespace {

using Registered = std::variant<const Statement*, StatementFamily::Build>;

// Filled while the program's static objects are made, before main() runs.
std::vector<Registered>& registered() {
    static std::vector<Registered> all;
    return all;
}

} // namespace

Statement::Statement(const char* name, const char* usedWhere, const char* text)
    : name_(name), usedWhere_(usedWhere), text_(text) {
    registered().emplace_back(this);
}

Statement::Statement(const char* name, const char* usedWhere, Build build)
    : name_(name), usedWhere_(usedWhere), build_(build) {
    registered().emplace_back(this);
}

QString Statement::text(const Dialect& dialect) const {
    return build_ != nullptr ? build_(dialect) : QString::fromLatin1(text_);
}

CatalogueEntry Statement::entry(const Dialect& dialect) const {
    return {QString::fromLatin1(name_), QString::fromLatin1(usedWhere_), text(dialect)};
}

StatementFamily::StatementFamily(Build build) {
    registered().emplace_back(build);
}

std::vector<CatalogueEntry> statementCatalogue(const Dialect& dialect) {
    std::vector<CatalogueEntry> entries;
    for (const Registered& one : registered()) {
        if (const auto* statement = std::get_if<const Statement*>(&one)) {
            entries.push_back((*statement)->entry(dialect));
        } else {
            const auto family = std::get<StatementFamily::Build>(one)(dialect);
            entries.insert(entries.end(), family.begin(), family.end());
        }
    }
    std::erase_if(entries, [](const CatalogueEntry& entry) { return entry.text.isEmpty(); });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CatalogueEntry& a, const CatalogueEntry& b) {
                         return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
                     });
    return entries;
}

QString catalogueText(const Dialect& dialect) {
    QStringList blocks;
    for (const CatalogueEntry& entry : statementCatalogue(dialect)) {
        blocks << QStringLiteral("-- %1: %2\n%3").arg(entry.name, entry.usedWhere, entry.text);
    }
    return blocks.join(QStringLiteral("\n\n")) + QLatin1Char('\n');
}

} // namespace orvalen::store
