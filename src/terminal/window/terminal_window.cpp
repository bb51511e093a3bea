#include "terminal/window/terminal_window.h"

#include "terminal/window/artwork.h"
#include "terminal/window/branch_list.h"
#include "terminal/window/observation_panel.h"
#include "terminal/window/student_list_model.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace orvalen::terminal {

namespace {

constexpr auto kDropWhenBusy = InputGate::WhenBusy::Drop;
constexpr int kPanelWidth = 1010;
constexpr int kPanelHeight = 690;

QString css(const QColor& colour) {
    return colour.name(QColor::HexRgb);
}

QPixmap fitted(const QImage& image, const QSize& size) {
    return QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// Characters for the keys the screen tells apart by character.
QChar characterOf(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(kEnter);
    case Qt::Key_Escape:
        return QChar(kEscape);
    case Qt::Key_Backspace:
        return QChar(kBackspace);
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 && text.front().isPrint() ? text.front() : QChar();
}

} // namespace

TerminalWindow::TerminalWindow(TerminalScreen& screen, QWidget* parent)
    : QWidget(parent), screen_(screen) {
    setWindowTitle(screen_.state().caption);
    setFocusPolicy(Qt::StrongFocus);
    build();
    screen_.gate().setAfterInput([this] { afterInput(); });
    clock_.setInterval(1000);
    // A tick while a person is decided is skipped: the next one comes a second later.
    connect(&clock_, &QTimer::timeout, this,
            [this] { forward([this] { screen_.Timer2Timer(); }, kDropWhenBusy); });
    clock_.start();
}

TerminalWindow::~TerminalWindow() {
    screen_.gate().setAfterInput({});
}

QLabel* TerminalWindow::label(QWidget* parent, const QRect& geometry, const QString& style,
                              Qt::Alignment alignment) {
    auto* created = new QLabel(parent);
    created->setGeometry(geometry);
    created->setStyleSheet(style);
    created->setAlignment(alignment);
    return created;
}

void TerminalWindow::forward(std::function<void()> handler, InputGate::WhenBusy whenBusy) {
    screen_.gate().submit(std::move(handler), whenBusy);
}

void TerminalWindow::afterInput() {
    render();
    if ((screen_.state().closeRequested || closeAsked_) && !closing_ && isVisible()) {
        closing_ = true; // nothing runs now: the close is carried out at once
        close();
    }
}

void TerminalWindow::build() {
    setStyleSheet(QStringLiteral(
        "QWidget { font-family: Arial; }"
        "QPushButton { background: #f4f6f9; border: 1px solid #8a94a6; border-radius: 4px;"
        " font-size: 14px; padding: 4px 10px; color: #1b2a41; }"
        "QPushButton:disabled { color: #9aa3b1; background: #e6e9ee; }"
        "QPushButton:pressed { background: #d5dce6; }"
        "QGroupBox { background: white; border: 1px solid #9aa7b8; border-radius: 6px;"
        " margin-top: 14px; font-weight: bold; color: #20324f; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }"));
    background_ = new QLabel(this);
    background_->setScaledContents(true);

    fundo_ = new QFrame(this);
    fundo_->setObjectName(QStringLiteral("PNLFUNDO"));
    fundo_->setStyleSheet(
        QStringLiteral("#PNLFUNDO { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                       " stop:0 #eef4fb, stop:1 #d7edfb); border: 1px solid #7f93ad; }"));
    fundo_->resize(kPanelWidth, kPanelHeight);

    // Photo frame with its placeholder under the photo.
    photoFrame_ = new QGroupBox(QStringLiteral("Foto"), fundo_);
    photoFrame_->setGeometry(10, 6, 258, 323);
    placeholder_ = label(photoFrame_, QRect(5, 18, 248, 300), {});
    placeholder_->setPixmap(fitted(photoPlaceholder(QSize(248, 300)), QSize(248, 300)));
    // The photo keeps its proportions, centred, so no part of the face is cut or stretched.
    photo_ = label(photoFrame_, QRect(5, 18, 248, 300), QStringLiteral("background: white;"),
                   Qt::AlignCenter);

    // Entry: mode buttons and label, mode panels, field, list.
    const QString modeStyle = QStringLiteral(
        "QToolButton { background: #f4f6f9; border: 1px solid #8a94a6; border-radius: 4px;"
        " font-size: 12px; color: #1b2a41; }"
        "QToolButton:disabled { color: #a0a8b4; }");
    const std::array<std::pair<QToolButton**, const char*>, 3> modes{
        {{&keyboardMode_, "Teclado"}, {&tec12Mode_, "Tec12"}, {&readerMode_, "Leitor"}}};
    int x = 520;
    for (const auto& [button, caption] : modes) {
        *button = new QToolButton(fundo_);
        (*button)->setText(QString::fromUtf8(caption));
        (*button)->setToolTip(QString::fromUtf8(caption));
        (*button)->setGeometry(x, 8, 62, 28);
        (*button)->setStyleSheet(modeStyle);
        (*button)->setFocusPolicy(Qt::NoFocus);
        x += 64;
    }
    connect(keyboardMode_, &QToolButton::clicked, this,
            [this] { forward([this] { screen_.BBNTECLADOClick(); }); });
    connect(tec12Mode_, &QToolButton::clicked, this,
            [this] { forward([this] { screen_.BBNTEC12Click(); }); });
    connect(readerMode_, &QToolButton::clicked, this,
            [this] { forward([this] { screen_.BBNLEITORClick(); }); });
    modeLabel_ = label(fundo_, QRect(520, 38, 190, 24),
                       QStringLiteral("color: #800000; font-size: 19px;"), Qt::AlignCenter);

    const auto modePanel = [this](const QString& caption, int left) {
        auto* panel = new QPushButton(caption, fundo_);
        panel->setGeometry(left, 40, 110, 26);
        panel->setFocusPolicy(Qt::NoFocus);
        return panel;
    };
    auto* numberPanel = modePanel(QStringLiteral("Matrícula"), 280);
    auto* namePanel = modePanel(QStringLiteral("Nome"), 394);
    connect(numberPanel, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.PNLMATRICULAClick(); }); });
    connect(namePanel, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.PNLNOMEClick(); }); });
    numberMode_ = numberPanel;
    nameMode_ = namePanel;

    entry_ = new QLineEdit(fundo_);
    entry_->setGeometry(280, 70, 430, 74);
    entry_->setReadOnly(true);
    entry_->setFocusPolicy(Qt::NoFocus);
    entry_->setStyleSheet(QStringLiteral(
        "QLineEdit { font-family: Arial; font-size: 48px; background: white;"
        " border: 2px solid #5b7aa6; border-radius: 4px; padding: 0 8px; color: #10213a; }"
        "QLineEdit:disabled { background: #e9edf2; color: #6b7686; }"));

    // The field keeps no keyboard focus of its own (keys reach the screen through the
    // window), but a click on it takes the typing back from the list.
    entry_->installEventFilter(this);

    list_ = new QTableView(fundo_);
    list_->setObjectName(QStringLiteral("DBGALUNOS"));
    list_->setGeometry(280, 150, 430, 420);
    model_ = new StudentListModel(screen_.students(), list_);
    list_->setModel(model_);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(20);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnWidth(0, 120);
    list_->setToolTip(QStringLiteral("Clique duplo para selecionar"));
    list_->setStyleSheet(QStringLiteral(
        "QTableView { background: white; color: #606060; font-size: 13px;"
        " gridline-color: #d6dde6; selection-background-color: #000080;"
        " selection-color: white; border: 1px solid #8a94a6; }"
        "QHeaderView::section { background: #0080ff; color: white; font-weight: bold;"
        " font-family: Arial; font-size: 13px; border: 0; padding: 3px; }"));
    // A pick in the list starts an identification: one made while a person is decided is
    // lost, as the list is out of use then.
    connect(list_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        forward([this, row = index.row()] { screen_.DBGALUNOSClick(row); }, kDropWhenBusy);
    });
    connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        forward(
            [this, row = index.row()] {
                screen_.DBGALUNOSClick(row);
                screen_.DBGALUNOSDblClick();
            },
            kDropWhenBusy);
    });

    // Student details, shown by the decision.
    const QString caption = QStringLiteral("color: #20324f; font-size: 15px; font-weight: bold;");
    const QString value = QStringLiteral("color: #000080; font-size: 17px;");
    name_ = label(fundo_, QRect(280, 12, 430, 40),
                  QStringLiteral("font-family: 'Times New Roman'; font-size: 24px; font-weight: "
                                 "bold; font-style: italic;"
                                 " color: #000080;"));
    planCaption_ = label(fundo_, QRect(280, 60, 120, 24), caption);
    modality_ = label(fundo_, QRect(400, 60, 310, 24), value);
    dueCaption_ = label(fundo_, QRect(280, 88, 120, 24), caption);
    dueDay_ = label(fundo_, QRect(400, 88, 60, 24), value);
    dueDate_ = label(fundo_, QRect(460, 88, 250, 24), value);
    numberCaption_ = label(fundo_, QRect(280, 116, 120, 24), caption);
    number_ = label(fundo_, QRect(400, 116, 310, 24), value);
    activitiesCaption_ = label(fundo_, QRect(280, 148, 430, 22), caption);
    for (int i = 0; i < 12; ++i) {
        activities_[size_t(i)] =
            label(fundo_, QRect(280 + (i % 2) * 215, 172 + (i / 2) * 26, 213, 24),
                  QStringLiteral("color: #203050; font-size: 14px;"));
    }

    // Turnstile frame and the status panel under it.
    turnstileFrame_ = new QGroupBox(QStringLiteral("Roleta"), fundo_);
    turnstileFrame_->setGeometry(720, 6, 280, 312);
    turnstile_ = label(turnstileFrame_, QRect(5, 18, 270, 288), {});
    idlePicture_ = turnstilePicture(QSize(270, 288), true);
    grantPicture_ = turnstilePicture(QSize(270, 288), false);
    status_ = label(fundo_, QRect(720, 324, 280, 52), {}, Qt::AlignCenter);

    date_ = label(fundo_, QRect(720, 380, 140, 26),
                  QStringLiteral("color: #20324f; font-size: 18px; font-weight: bold;"),
                  Qt::AlignCenter);
    time_ = label(fundo_, QRect(860, 380, 140, 26),
                  QStringLiteral("color: #20324f; font-size: 18px; font-weight: bold;"),
                  Qt::AlignCenter);

    informationCaption_ =
        label(fundo_, QRect(10, 578, 300, 22),
              QStringLiteral("color: #20324f; font-size: 15px; font-weight: bold;"));
    informationCaption_->setText(QStringLiteral("Informações"));
    information_ = label(fundo_, QRect(10, 604, 989, 72), {}, Qt::AlignCenter);

    // Bottom-right row of the idle screen.
    const auto button = [this](const QString& text, int width) {
        auto* created = new QPushButton(text, this);
        created->resize(width, 34);
        created->setToolTip(text);
        created->setFocusPolicy(Qt::NoFocus);
        return created;
    };
    exit_ = button(QStringLiteral("Sair"), 90);
    note_ = button(QStringLiteral("Observação"), 120);
    keyboard_ = button(QStringLiteral("Teclado"), 100);
    capture_ = button(QStringLiteral("Captura Biometria"), 160);
    verify_ = button(QStringLiteral("Verifica digital"), 140);
    branch_ = button(QStringLiteral("Selecionar Filial"), 160);
    branch_->resize(160, 30);
    connect(exit_, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.BBNRETORNAClick(); }); });
    connect(keyboard_, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.BBNTECLADO1Click(); }); });
    connect(capture_, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.BBNCAPTURABIOMETRIAClick(); }); });
    connect(verify_, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.BBNVERIFICAClick(); }); });
    buildOperatorTools();
}

void TerminalWindow::buildOperatorTools() {
    branch_->setObjectName(QStringLiteral("BBNFILIAL"));
    note_->setObjectName(QStringLiteral("BBNOBS"));
    connect(branch_, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.BBNFILIALClick(); }); });
    connect(note_, &QPushButton::clicked, this,
            [this] { forward([this] { screen_.BBNOBSClick(); }); });

    branchList_ = new BranchList(this);
    connect(branchList_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        forward([this, row = index.row()] { screen_.DBGFILIALClick(row); }, kDropWhenBusy);
    });
    connect(branchList_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        forward(
            [this, row = index.row()] {
                screen_.DBGFILIALClick(row);
                screen_.DBGFILIALDblClick();
            },
            kDropWhenBusy);
    });

    // PNLPERSONA: the last finger the fingerprint reader captured.
    persona_ = label(this, QRect(0, 0, 260, 320),
                     QStringLiteral("background: white; border: 2px solid #5b7aa6;"
                                    " border-radius: 6px;"),
                     Qt::AlignCenter);
    persona_->setObjectName(QStringLiteral("PNLPERSONA"));
    persona_->hide();

    observation_ = new ObservationPanel(this);
    connect(observation_->exitButton(), &QPushButton::clicked, this,
            [this] { forward([this] { screen_.BBNRETORNAOBSClick(); }); });
}

void TerminalWindow::placeBottomRow() {
    const int w = width();
    const int h = height();
    int right = w - 10;
    for (QPushButton* b : {exit_, note_, keyboard_, capture_, verify_}) {
        b->move(right - b->width(), h - b->height() - 25);
        right -= b->width() + 6;
    }
    branch_->move(w - branch_->width() - 10, h - 120 + branch_->height());
    branchList_->move(w - branchList_->width() - 10, h - 520 + branchList_->height());
    for (QWidget* panel : std::initializer_list<QWidget*>{observation_, persona_}) {
        panel->move((w - panel->width()) - (w - panel->width()) / 2,
                    (h - panel->height()) - (h - panel->height()) / 2);
    }
}

void TerminalWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    background_->setGeometry(rect());
    if (width() == 1024) {
        fundo_->setGeometry(rect());
    } else {
        fundo_->resize(kPanelWidth, kPanelHeight);
        fundo_->move((width() - kPanelWidth) - (width() - kPanelWidth) / 2,
                     (height() - kPanelHeight) - (height() - kPanelHeight) / 2);
    }
    placeBottomRow();
    for (QWidget* w :
         std::initializer_list<QWidget*>{exit_, note_, keyboard_, capture_, verify_, branch_,
                                         branchList_, observation_, persona_}) {
        w->raise();
    }
    render();
}

void TerminalWindow::start() {
    {
        // Whatever arrives while the screen starts waits until it has started.
        const InputGate::Hold starting(screen_.gate());
        screen_.FormCreate(width(), height());
        screen_.FormShow();
        screen_.FormActivate();
    }
    setFocus();
}

bool TerminalWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == entry_ && event->type() == QEvent::MouseButtonPress) {
        forward([this] { screen_.EDTMATRICULAClick(); }, kDropWhenBusy);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TerminalWindow::keyPressEvent(QKeyEvent* event) {
    const bool shiftOrCtrl =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0 &&
        event->key() == Qt::Key_F2;
    // A key while a person is decided is lost, as the entry field is disabled then.
    forward([this, key = event->key(), character = characterOf(event),
             shiftOrCtrl] { screen_.keyPressed(key, character, shiftOrCtrl); },
            kDropWhenBusy);
    event->accept();
}

void TerminalWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && screen_.gate().busy()) {
        // Carried out once the running handler has returned: the window and the screen are
        // never deleted under code that is still running.
        closeAsked_ = true;
        event->ignore();
        return;
    }
    closing_ = true;
    {
        const InputGate::Hold closingScreen(screen_.gate());
        screen_.FormClose();
    }
    event->accept();
}

void TerminalWindow::render() {
    const ScreenState& s = screen_.state();
    setWindowTitle(s.caption);

    if (backgroundSize_ != size() || backgroundPicture_.isNull()) {
        backgroundSize_ = size();
        backgroundPicture_ = backgroundPicture(size());
    }
    // The club logo, or the built-in background, stretched over the screen.
    background_->setPixmap(
        QPixmap::fromImage(s.Image1Visible && !s.Image1.isNull() ? s.Image1 : backgroundPicture_));

    fundo_->setVisible(s.PNLFUNDO.visible);
    photo_->setVisible(s.ImageFotoVisible);
    if (s.ImageFotoVisible) {
        photo_->setPixmap(QPixmap::fromImage(
            s.ImageFoto.scaled(photo_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    turnstile_->setPixmap(QPixmap::fromImage(s.Image4Visible ? grantPicture_ : idlePicture_));

    status_->setText(s.PNLACESSO.caption);
    status_->setStyleSheet(
        QStringLiteral(
            "background: %1; color: %2; font-family: Arial; font-size: 21px; font-weight: bold;"
            " border: 1px solid #6d7b8f; border-radius: 4px;")
            .arg(css(s.PNLACESSO.colour), css(s.PNLACESSO.fontColour)));
    informationCaption_->setVisible(s.LBLINFORMACOES.visible);
    information_->setVisible(s.PNLINFORMACOES.visible);
    information_->setText(s.PNLINFORMACOES.caption);
    information_->setStyleSheet(
        QStringLiteral("background: %1; color: white; font-family: Arial; font-size: %2pt;"
                       " border: 1px solid #6d7b8f; border-radius: 4px;")
            .arg(css(s.PNLINFORMACOES.colour))
            .arg(s.PNLINFORMACOES.fontSize > 0 ? qMin(s.PNLINFORMACOES.fontSize, 36) : 20));
    name_->setVisible(s.LBLNOMEALUNO.visible);
    name_->setText(s.LBLNOMEALUNO.caption);
    modality_->setText(s.LBLMODALIDADE.caption);
    planCaption_->setVisible(s.LBLMENSALIDADEPLANOS.visible);
    planCaption_->setText(s.LBLMENSALIDADEPLANOS.caption);
    modality_->setVisible(s.LBLMENSALIDADEPLANOS.visible || !s.LBLMODALIDADE.caption.isEmpty());
    dueCaption_->setVisible(s.LBLVENCIMENTO.visible);
    dueCaption_->setText(s.LBLVENCIMENTO.caption);
    dueDay_->setVisible(s.DBEDITDIA_VENCIMENTO.visible);
    dueDay_->setText(s.DBEDITDIA_VENCIMENTO.caption);
    dueDate_->setVisible(s.LBLDATAVENCIMENTO.visible);
    dueDate_->setText(s.LBLDATAVENCIMENTO.caption);
    numberCaption_->setVisible(s.LBLMATRICULA.visible);
    numberCaption_->setText(s.LBLMATRICULA.caption);
    number_->setVisible(s.DBEDITMATRICULA.visible);
    number_->setText(s.DBEDITMATRICULA.caption);
    activitiesCaption_->setVisible(s.LBLATIVIDADES.visible);
    activitiesCaption_->setText(s.LBLATIVIDADES.caption);
    for (size_t i = 0; i < activities_.size(); ++i) {
        activities_[i]->setText(s.LBLATIVIDADESn[i].caption);
    }

    const auto modePanel = [](QPushButton* panel, const Control& control) {
        panel->setVisible(control.visible);
        panel->setStyleSheet(
            QStringLiteral(
                "QPushButton { background: %1; color: white; font-weight: bold; font-size: 14px;"
                " border: 2px outset %1; border-radius: 3px; }"
                "QPushButton:pressed { border-style: inset; }")
                .arg(css(control.colour)));
    };
    modePanel(numberMode_, s.PNLMATRICULA);
    modePanel(nameMode_, s.PNLNOME);

    const EntryField& field = s.EDTMATRICULA;
    entry_->setVisible(field.visible && s.PNLFUNDO.visible);
    entry_->setEnabled(field.enabled);
    entry_->setText(field.passwordChar.isNull() ? field.text
                                                : QString(field.text.size(), field.passwordChar));
    list_->setVisible(s.DBGALUNOS.visible);
    if (s.DBGALUNOS.visible) {
        // The student detail labels share the list's place: the list lies over them, so
        // every row it shows takes clicks.
        list_->raise();
    }
    model_->refresh();
    if (s.DBGALUNOS.visible && screen_.students().hasCurrent()) {
        const QModelIndex current = model_->index(screen_.students().position(), 0);
        list_->selectRow(current.row());
        list_->scrollTo(current);
    }

    const std::array<std::pair<QToolButton*, const Control*>, 3> modes{
        {{keyboardMode_, &s.BBNTECLADO}, {tec12Mode_, &s.BBNTEC12}, {readerMode_, &s.BBNLEITOR}}};
    for (const auto& [button, control] : modes) {
        button->setVisible(control->visible);
        button->setEnabled(control->enabled);
    }
    modeLabel_->setVisible(s.LBLTECLADO.visible);
    modeLabel_->setText(s.LBLTECLADO.caption);
    date_->setVisible(s.LBLDATA.visible);
    date_->setText(s.LBLDATA.caption);
    time_->setVisible(s.LBLHORA.visible);
    time_->setText(s.LBLHORA.caption);

    const std::array<std::pair<QPushButton*, const Control*>, 6> buttons{
        {{exit_, &s.BBNRETORNA},
         {note_, &s.BBNOBS},
         {keyboard_, &s.BBNTECLADO1},
         {capture_, &s.BBNCAPTURABIOMETRIA},
         {verify_, &s.BBNVERIFICA},
         {branch_, &s.BBNFILIAL}}};
    for (const auto& [widget, control] : buttons) {
        widget->setVisible(control->visible);
        widget->setEnabled(control->enabled);
    }
    branchList_->setVisible(s.DBGFILIAL.visible);
    if (s.DBGFILIAL.visible) {
        branchList_->showRows(screen_.branches(), screen_.branchCursor());
    }
    observation_->render(s);
    persona_->setVisible(s.PNLPERSONA.visible);
    if (s.PNLPERSONA.visible) {
        persona_->setPixmap(s.ImagePersona.isNull()
                                ? QPixmap()
                                : QPixmap::fromImage(s.ImagePersona.scaled(
                                      persona_->size() - QSize(12, 12), Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation)));
    }
    if (s.hourglass) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
}

} // namespace orvalen::terminal
