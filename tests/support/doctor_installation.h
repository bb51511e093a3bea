#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace orvalen::test {

struct ToolRun {
    int status = 0;
    QString out; // standard output, then standard error
};

// The `orvalen` tool run in this process.
ToolRun runToolHere(const QStringList& arguments);

// The built tool as its own process. As an ordinary user: under root the child drops to
// nobody before it starts (root may read and write anything).
enum class RunAs { ThisUser, OrdinaryUser };
ToolRun
runToolProcess(const QStringList& arguments, RunAs who = RunAs::ThisUser,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// A fresh small demo club created through the command, as an installer would.
class DemoInstallation {
public:
    DemoInstallation();

    ToolRun doctor() const;
    QStringList doctorArguments() const;

    // Changes the club database behind the doctor's back; :DAY is yesterday.
    void change(const QString& sql) const;
    // Replaces a file of the data-link folder (terminal.ini, Acesso.txt ...).
    void write(const QString& name, const QByteArray& bytes) const;

    QString file(const QString& name) const;
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

} // namespace orvalen::test
