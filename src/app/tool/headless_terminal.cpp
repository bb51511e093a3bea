#include "app/tool/headless_terminal.h"

#include "store/branches.h"

namespace orvalen::tool {

namespace {

// How a command's messages begin: "orvalen identify: ".
QString said(const QString& command) {
    return QStringLiteral("orvalen ") + command + QStringLiteral(": ");
}

} // namespace

std::optional<desk::OpenClub> openClub(const QString& folder, const QString& command,
                                       QTextStream& err, store::OpenMode mode) {
    auto club = desk::openClubDatabase(folder, QStringLiteral("orvalen-") + command, mode);
    if (!club.ok()) {
        err << said(command) << club.error().message << '\n';
        return std::nullopt;
    }
    return std::move(club.value());
}

bool chooseBranch(terminal::TerminalScreen& screen, double code, const QString& command,
                  QTextStream& err) {
    if (!screen.state().BBNFILIAL.visible) {
        err << said(command)
            << "--branch: Filial lists no units, so the terminal offers no branch choice\n";
        return false;
    }
    const auto units = store::readBranches(screen.services().database);
    if (!units.ok()) {
        err << said(command) << "--branch: " << units.error().message << '\n';
        return false;
    }
    QStringList codes;
    int position = -1;
    for (std::size_t i = 0; i < units->size(); ++i) {
        codes << QString::number(units.value()[i].cliente);
        if (units.value()[i].cliente == code) {
            position = static_cast<int>(i);
        }
    }
    if (position < 0) {
        err << said(command) << "--branch: Filial has no unit " << QString::number(code)
            << " (its units: " << codes.join(QStringLiteral(", ")) << ")\n";
        return false;
    }
    screen.BBNFILIALClick();
    if (screen.state().DBGFILIAL.visible) {
        screen.DBGFILIALClick(position);
        screen.DBGFILIALDblClick();
    }
    if (screen.state().BBNFILIALTag != 1) {
        err << said(command) << "--branch: unit " << QString::number(code)
            << " could not be used (see the message box above)\n";
        return false;
    }
    return true;
}

std::optional<double> branchCode(const QString& value, const QString& command, QTextStream& err) {
    bool ok = false;
    const double code = value.toDouble(&ok);
    if (!ok) {
        err << said(command) << "--branch takes the unit's code (Filial.CLIENTE), not '" << value
            << "'\n";
        return std::nullopt;
    }
    return code;
}

} // namespace orvalen::tool
