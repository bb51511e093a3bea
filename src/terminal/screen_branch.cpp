#include "store/branches.h"
#include "terminal/screen_errors.h"
#include "terminal/terminal_screen.h"

namespace orvalen::terminal {

void TerminalScreen::BBNFILIALClick() {
    if (!state_.BBNFILIAL.visible || !state_.BBNFILIAL.enabled) {
        return; // a unit is in use until the reset: no second choice
    }
    guarded([&] {
        branches_ = need(store::readBranches(database_));
        branchCursor_ = 0;
        if (branches_.size() == 1) {
            DBGFILIALDblClick();
            return;
        }
        state_.DBGFILIAL.visible = true;
    });
}

void TerminalScreen::DBGFILIALClick(int position) {
    if (position >= 0 && position < static_cast<int>(branches_.size())) {
        branchCursor_ = position;
    }
}

void TerminalScreen::DBGFILIALDblClick() {
    if (branchCursor_ < 0 || branchCursor_ >= static_cast<int>(branches_.size()) ||
        state_.BBNFILIALTag == 1) {
        return;
    }
    const store::BranchRow unit = branches_[static_cast<std::size_t>(branchCursor_)];
    guarded([&] {
        state_.DBGFILIAL.visible = false;
        state_.BBNFILIAL.enabled = false;
        PDouCodigoFilial = unit.cliente;
        state_.hourglass = true;
        services_.pump.processEvents(); // the hourglass shows while the unit is connected
        store::BranchConnection branch = store::connectBranch(services_.local, unit.caminho);
        if (!branch.ok()) {
            branchChoiceFailed(branch.error.failure == store::BranchFailure::DataLinkMissing
                                   ? QStringLiteral("OrvalenFilial.udl inexistente")
                                   : QStringLiteral("Filial Inacessível"),
                               branch.error.why);
            return;
        }
        source_.useBranch(std::move(branch.connection));
        state_.BBNFILIALTag = 1;
        try {
            students_.requery();
        } catch (const DatabaseError& error) {
            branchChoiceFailed(QStringLiteral("Filial Inacessível"),
                               QString::fromStdString(error.what()));
            return;
        }
        state_.hourglass = false;
        services_.pump.processEvents();
    });
}

// Back on the own unit, with the button enabled, before the operator is told.
void TerminalScreen::branchChoiceFailed(const QString& detail, const QString& why) {
    state_.BBNFILIAL.enabled = true;
    state_.hourglass = false;
    FilialMaster();
    services_.errorLog.record(QStringLiteral("%1: %2").arg(detail, why));
    services_.aviso.AVISO(QStringLiteral("!"), QString(), detail);
}

void TerminalScreen::FilialMaster() {
    state_.BBNFILIAL.enabled = true;
    const bool wasOnBranch = source_.onBranch();
    source_.useOwn();
    PDouCodigoFilial = sacvar_.real(QStringLiteral("CLIENTE"));
    state_.BBNFILIALTag = 0;
    if (wasOnBranch) {
        students_.requery();
    }
}

} // namespace orvalen::terminal
