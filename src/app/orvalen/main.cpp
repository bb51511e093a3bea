#include "app/tool/tool.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orvalen::tool::runTool(app.arguments().mid(1), out, err);
}
