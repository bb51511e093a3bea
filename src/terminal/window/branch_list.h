#pragma once

#include "store/branches.h"

#include <QTableView>
#include <vector>

class QStandardItemModel;

namespace orvalen::terminal {

// DBGFILIAL: the units of Filial, "Filial" and "Nome", chosen by a double click.
class BranchList : public QTableView {
public:
    static constexpr int kWidth = 56 + 456 + 4;
    static constexpr int kHeight = 215;

    explicit BranchList(QWidget* parent);

    // Shows the rows with the cursor on one of them.
    void showRows(const std::vector<store::BranchRow>& rows, int cursor);

private:
    QStandardItemModel* model_;
    std::vector<store::BranchRow> shown_;
};

} // namespace orvalen::terminal
