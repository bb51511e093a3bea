#pragma once

#include "shell/main_window_logic.h"
#include "shell/shell_context.h"
#include "shell/watchdog.h"

#include <QAction>
#include <QMainWindow>
#include <QPointer>

namespace orvalen::shell {

// The main window TFRMPRINCIPAL: caption, background picture, the menu and the watchdog.
// Closing it ends the application.
class MainWindow : public QMainWindow {
public:
    MainWindow(const ShellContext& context, TerminalFactory terminalFactory,
               QWidget* parent = nullptr);

    MainWindowLogic& logic() { return logic_; }
    Watchdog& watchdog() { return watchdog_; }
    QWidget* terminalScreen() const { return FRMSITUACAODOALUNO.data(); }

    // First showing: the cash flags and the biometric mode start cleared.
    void FormShow();

    void MNACESSOClick();
    void MNATIVIDADESClick();
    void MNSobreClick();

    QAction* MNACESSO = nullptr;
    QAction* MNATIVIDADES = nullptr;
    QAction* MNSobre = nullptr;
    QAction* Sair1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void renderMenu();

    ShellContext context_;
    TerminalFactory terminalFactory_;
    MainWindowLogic logic_;
    Watchdog watchdog_;
    QPointer<QWidget> FRMSITUACAODOALUNO;
};

} // namespace orvalen::shell
