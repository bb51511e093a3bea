#pragma once

#include "terminal/terminal_screen.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class QGroupBox;
class QFrame;

namespace orvalen::terminal {

class StudentListModel;
class BranchList;
class ObservationPanel;

// The terminal screen's window: draws the screen state full-screen and hands every key,
// click and clock tick to the screen logic. It decides nothing.
class TerminalWindow : public QWidget {
public:
    explicit TerminalWindow(TerminalScreen& screen, QWidget* parent = nullptr);
    ~TerminalWindow() override;

    // Runs the start-up of the screen for a window of this size and draws it.
    void start();
    // Draws the screen state.
    void render();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void placeBottomRow();
    void buildOperatorTools();
    QLabel* label(QWidget* parent, const QRect& geometry, const QString& style,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    // Every key, click and tick goes to the screen through its gate.
    void forward(std::function<void()> handler,
                 InputGate::WhenBusy whenBusy = InputGate::WhenBusy::Wait);
    // After each input: draw, and close when the screen or the window system asked to.
    void afterInput();

    TerminalScreen& screen_;
    QTimer clock_;
    bool closing_ = false;
    bool closeAsked_ = false; // a close that came while a person was decided

    QLabel* background_ = nullptr;
    QFrame* fundo_ = nullptr;
    QGroupBox* photoFrame_ = nullptr;
    QLabel* placeholder_ = nullptr;
    QLabel* photo_ = nullptr;
    QGroupBox* turnstileFrame_ = nullptr;
    QLabel* turnstile_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* informationCaption_ = nullptr;
    QLabel* information_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* modality_ = nullptr;
    QLabel* planCaption_ = nullptr;
    QLabel* dueCaption_ = nullptr;
    QLabel* dueDay_ = nullptr;
    QLabel* dueDate_ = nullptr;
    QLabel* numberCaption_ = nullptr;
    QLabel* number_ = nullptr;
    QLabel* activitiesCaption_ = nullptr;
    std::array<QLabel*, 12> activities_{};
    QPushButton* numberMode_ = nullptr;
    QPushButton* nameMode_ = nullptr;
    QLineEdit* entry_ = nullptr;
    QTableView* list_ = nullptr;
    StudentListModel* model_ = nullptr;
    QToolButton* keyboardMode_ = nullptr;
    QToolButton* tec12Mode_ = nullptr;
    QToolButton* readerMode_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    QLabel* date_ = nullptr;
    QLabel* time_ = nullptr;
    QPushButton* exit_ = nullptr;
    QPushButton* note_ = nullptr;
    QPushButton* keyboard_ = nullptr;
    QPushButton* capture_ = nullptr;
    QPushButton* verify_ = nullptr;
    QPushButton* branch_ = nullptr;
    BranchList* branchList_ = nullptr;
    ObservationPanel* observation_ = nullptr;
    QLabel* persona_ = nullptr;

    QImage idlePicture_;
    QImage grantPicture_;
    QImage backgroundPicture_;
    QSize backgroundSize_;
};

} // namespace orvalen::terminal
