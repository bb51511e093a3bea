#include "support/doctor_installation.h"

#include "app/tool/tool.h"
#include "store/db_values.h"
#include "support/application.h"
#include "support/test_database.h"
#include "support/tool_process.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvalen::test {

ToolRun runToolHere(const QStringList& arguments) {
    ToolRun run;
    QString err;
    QTextStream out(&run.out);
    QTextStream errors(&err);
    run.status = tool::runTool(arguments, out, errors);
    out.flush();
    run.out += err;
    return run;
}

ToolRun runToolProcess(const QStringList& arguments, RunAs who,
                       const QProcessEnvironment& environment) {
    QProcess tool;
    if (who == RunAs::OrdinaryUser && geteuid() == 0) {
        tool.setChildProcessModifier([] {
            const uid_t nobody = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) {
                _exit(125);
            }
        });
    }
    tool.setProcessEnvironment(environment);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(toolExecutable(), arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000)) {
        run.status = -1;
        run.out = tool.errorString();
        return run;
    }
    run.status = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAll());
    return run;
}

DemoInstallation::DemoInstallation()
    : dir_(qEnvironmentVariable("ORVALEN_TEST_TMP", QDir::tempPath()) +
           QStringLiteral("/doctor-XXXXXX")) {
    ensureApplication(); // the pictures are lettered with fonts
    const ToolRun created =
        runToolHere({QStringLiteral("demo"), QStringLiteral("create"), dir_.path(),
                     QStringLiteral("--members"), QStringLiteral("30")});
    EXPECT_EQ(created.status, 0) << created.out.toStdString();
}

QStringList DemoInstallation::doctorArguments() const {
    return {QStringLiteral("doctor"), QStringLiteral("--datalink-dir"), dir_.path()};
}

ToolRun DemoInstallation::doctor() const {
    return runToolHere(doctorArguments());
}

void DemoInstallation::change(const QString& sql) const {
    store::ClubConnection club(sqliteSpec(file(QStringLiteral("club.db")), Route::Direct),
                               QStringLiteral("doctor-test"));
    ASSERT_TRUE(club.open().ok());
    store::Bindings bindings;
    if (sql.contains(QLatin1String(":DAY"))) {
        bindings.emplace_back(QStringLiteral(":DAY"),
                              store::dateValue(club.dialect(), QDate::currentDate().addDays(-1)));
    }
    const auto result = club.execute(sql, bindings);
    ASSERT_TRUE(result.ok()) << result.error().message.toStdString();
}

void DemoInstallation::write(const QString& name, const QByteArray& bytes) const {
    QFile out(file(name));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(out.write(bytes), bytes.size());
}

QString DemoInstallation::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

} // namespace orvalen::test
