#include "shell/main_window.h"

#include "activities/access_point_file.h"
#include "shell/about_box.h"
#include "shell/activities_dialog.h"
#include "shell/artwork.h"
#include "store/datalink.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>

namespace orvalen::shell {

namespace {

QAction* checkableAction(const QString& caption, const QString& name, QObject* parent) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setCheckable(true);
    return action;
}

} // namespace

MainWindow::MainWindow(const ShellContext& context, TerminalFactory terminalFactory,
                       QWidget* parent)
    : QMainWindow(parent), context_(context), terminalFactory_(std::move(terminalFactory)),
      logic_(context.aviso, context.unit),
      watchdog_(
          context.connection,
          [local = context.local] {
              return store::connectionSpecFromFile(
                  local.filePath(QLatin1String(store::kMainDataLink)), local);
          },
          context.aviso, [] { QApplication::processEvents(); }, this) {
    setObjectName(QStringLiteral("FRMPRINCIPAL"));
    setWindowTitle(QStringLiteral("Controle de Acesso"));

    auto* background = new QLabel(this);
    background->setAlignment(Qt::AlignCenter);
    background->setPixmap(backgroundPicture());
    background->setAutoFillBackground(true);
    QPalette palette = background->palette();
    palette.setColor(QPalette::Window, QColor(232, 242, 250));
    background->setPalette(palette);
    setCentralWidget(background);

    auto* cadastro = menuBar()->addMenu(QStringLiteral("&Acesso"));
    cadastro->setObjectName(QStringLiteral("MNCADASTRO"));
    MNACESSO = checkableAction(QStringLiteral("&Abrir"), QStringLiteral("MNACESSO"), this);
    cadastro->addAction(MNACESSO);
    MNATIVIDADES =
        checkableAction(QStringLiteral("A&tividades"), QStringLiteral("MNATIVIDADES"), this);
    MNSobre = checkableAction(QStringLiteral("&Sobre"), QStringLiteral("MNSobre"), this);
    Sair1 = new QAction(QStringLiteral("Sa&ir"), this);
    Sair1->setObjectName(QStringLiteral("Sair1"));
    menuBar()->addAction(MNATIVIDADES);
    menuBar()->addAction(MNSobre);
    menuBar()->addAction(Sair1);

    // A click toggles a checkable action; the menu state is the logic's, so it is
    // rendered again before anything else happens.
    connect(MNACESSO, &QAction::triggered, this, [this] {
        renderMenu();
        MNACESSOClick();
    });
    connect(MNATIVIDADES, &QAction::triggered, this, [this] {
        renderMenu();
        MNATIVIDADESClick();
    });
    connect(MNSobre, &QAction::triggered, this, [this] {
        renderMenu();
        MNSobreClick();
    });
    connect(Sair1, &QAction::triggered, this, &QWidget::close);
    renderMenu();
    watchdog_.setAwaySwitch(context.away);
    watchdog_.start();
}

void MainWindow::FormShow() {
    logic_.FormShow();
}

void MainWindow::renderMenu() {
    const MainWindowState& state = logic_.state();
    const auto apply = [](QAction* action, const MenuItemState& item) {
        action->setEnabled(item.enabled);
        action->setChecked(item.checked);
    };
    apply(MNACESSO, state.MNACESSO);
    apply(MNATIVIDADES, state.MNATIVIDADES);
    apply(MNSobre, state.MNSobre);
}

void MainWindow::MNACESSOClick() {
    if (!logic_.MNACESSOClick()) {
        close();
        return;
    }
    if (!terminalFactory_) {
        return;
    }
    QWidget* screen = terminalFactory_(context_, this);
    if (screen == nullptr) {
        return;
    }
    FRMSITUACAODOALUNO = screen;
    logic_.opened(MainWindowLogic::Item::Acesso);
    renderMenu();
    connect(screen, &QObject::destroyed, this, [this] {
        logic_.closed(MainWindowLogic::Item::Acesso);
        renderMenu();
        activateWindow();
    });
}

void MainWindow::MNATIVIDADESClick() {
    logic_.opened(MainWindowLogic::Item::Atividades);
    renderMenu();
    {
        // The dialog reads its activities through a connection of its own.
        store::ClubConnection own(context_.connection.spec(), QStringLiteral("TFRMATIVIDADES"));
        const QString file =
            context_.local.filePath(QLatin1String(activities::kAccessPointFileName));
        activities::ActivitySelection selection(own, context_.local, context_.aviso, file);
        ActivitiesDialog dialog(selection, this);
        own.open(); // a connection that failed shows up as the table that cannot be opened
        if (dialog.prepare()) {
            dialog.exec();
        }
    }
    logic_.closed(MainWindowLogic::Item::Atividades);
    renderMenu();
}

void MainWindow::MNSobreClick() {
    logic_.opened(MainWindowLogic::Item::Sobre);
    renderMenu();
    {
        store::ClubConnection own(context_.connection.spec(), QStringLiteral("TFRMSOBRE"));
        own.open();
        AboutBox box(loadAboutTexts(own, context_.local, context_.aviso), this);
        box.exec();
    }
    logic_.closed(MainWindowLogic::Item::Sobre);
    renderMenu();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        QApplication::quit();
    }
}

} // namespace orvalen::shell
