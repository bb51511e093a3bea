#include "terminal/window/branch_list.h"

#include <QHeaderView>
#include <QStandardItemModel>

namespace orvalen::terminal {

namespace {

bool sameRows(const std::vector<store::BranchRow>& a, const std::vector<store::BranchRow>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.cliente == y.cliente && x.nome == y.nome;
    });
}

} // namespace

BranchList::BranchList(QWidget* parent)
    : QTableView(parent), model_(new QStandardItemModel(0, 2, this)) {
    setObjectName(QStringLiteral("DBGFILIAL"));
    model_->setHorizontalHeaderLabels({QStringLiteral("Filial"), QStringLiteral("Nome")});
    for (int column = 0; column < 2; ++column) {
        model_->horizontalHeaderItem(column)->setTextAlignment(Qt::AlignCenter);
    }
    setModel(model_);
    resize(kWidth, kHeight);
    setFocusPolicy(Qt::NoFocus);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setToolTip(QStringLiteral("Clique duplo para selecionar"));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(26);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 56);
    setStyleSheet(QStringLiteral(
        "QTableView { background: white; color: #202020; font-family: Arial; font-size: 19px;"
        " gridline-color: #d6dde6; selection-background-color: #000080;"
        " selection-color: white; border: 1px solid #5b7aa6; }"
        "QHeaderView::section { background: #0000ff; color: white; font-weight: bold;"
        " font-family: Arial; font-size: 19px; border: 0; padding: 2px; }"));
    hide();
}

void BranchList::showRows(const std::vector<store::BranchRow>& rows, int cursor) {
    if (!sameRows(rows, shown_)) {
        shown_ = rows;
        model_->setRowCount(0);
        for (const store::BranchRow& row : rows) {
            auto* code = new QStandardItem(QString::number(row.cliente));
            code->setTextAlignment(Qt::AlignCenter);
            model_->appendRow({code, new QStandardItem(row.nome)});
        }
    }
    if (cursor >= 0 && cursor < model_->rowCount()) {
        selectRow(cursor);
    }
}

} // namespace orvalen::terminal
