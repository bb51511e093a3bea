#include "app/tool/statements_command.h"

#include "store/sqlserver_check.h"
#include "store/statement_catalogue.h"

namespace orvalen::tool {

int statementsCommand(CommandContext& context) {
    store::Dialect dialect(store::Dialect::Kind::SqlServer);
    const QStringList& arguments = context.arguments;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const QString value = i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        if (argument == QLatin1String("--check-script")) {
            context.out << store::sqlServerCheckScript();
            return 0;
        }
        if (argument == QLatin1String("--dialect") && value == QLatin1String("sqlserver")) {
            dialect = store::Dialect(store::Dialect::Kind::SqlServer);
        } else if (argument == QLatin1String("--dialect") && value == QLatin1String("sqlite")) {
            dialect = store::Dialect(store::Dialect::Kind::Sqlite);
        } else if (argument == QLatin1String("--dialect")) {
            context.err << "orvalen statements: --dialect takes sqlserver or sqlite, not '" << value
                        << "'\n";
            return 2;
        } else {
            context.err << "orvalen statements: unknown argument '" << argument << "'\n";
            return 2;
        }
        ++i;
    }
    context.out << store::catalogueText(dialect);
    return 0;
}

} // namespace orvalen::tool
