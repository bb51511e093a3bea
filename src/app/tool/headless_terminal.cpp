#include "app/tool/headless_terminal.h"

#include "store/branches.h"
#include "store/datalink.h"

#include <QDir>

namespace orvalen::tool {

namespace {

// How a command's messages begin: "orvalen identify: ".
QString said(const QString& command) {
    return QStringLiteral("orvalen ") + command + QStringLiteral(": ");
}

} // namespace

std::optional<OpenedClub> openClub(const QString& folder, const QString& command,
                                   QTextStream& err) {
    auto local = store::LocalSettings::load(folder);
    if (!local.ok()) {
        err << said(command) << local.error().message << '\n';
        return std::nullopt;
    }
    auto spec = store::connectionSpecFromFile(
        QDir(folder).filePath(QLatin1String(store::kMainDataLink)), local.value());
    if (!spec.ok()) {
        err << said(command) << spec.error().message << '\n';
        return std::nullopt;
    }
    auto connection =
        std::make_unique<store::ClubConnection>(spec.value(), QStringLiteral("orvalen-") + command);
    if (const store::Status opened = connection->open(); !opened.ok()) {
        err << said(command) << opened.error().message << '\n';
        return std::nullopt;
    }
    return OpenedClub{local.value(), std::move(connection)};
}

void typeIdentification(terminal::TerminalScreen& screen, const QString& text, bool nameMode) {
    screen.keyPressed(0, text.front());
    if (!screen.state().EDTMATRICULA.visible || screen.state().keyPreview) {
        return; // the terminal opened no entry (Tec12 keypad, fingerprint only)
    }
    if (nameMode != !screen.numberModeActive()) {
        if (nameMode) {
            screen.PNLNOMEClick();
        } else {
            screen.PNLMATRICULAClick();
        }
    }
    screen.state().EDTMATRICULA.text.clear();
    screen.state().EDTMATRICULA.cursor = 0;
    for (const QChar character : text) {
        screen.keyPressed(0, character);
    }
    screen.keyPressed(0, QChar(terminal::kEnter));
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
