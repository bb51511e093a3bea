#pragma once

#include "terminal/student_list.h"

#include <QAbstractTableModel>

namespace orvalen::terminal {

// DBGALUNOS's rows: the view asks only for the rows it shows, and the list reads them a
// page at a time.
class StudentListModel : public QAbstractTableModel {
public:
    explicit StudentListModel(StudentList& students, QObject* parent = nullptr)
        : QAbstractTableModel(parent), students_(students) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Called when the list's revision changed: rows, order or count may differ.
    void refresh();

private:
    StudentList& students_;
    int shownRevision_ = -1;
    int shownCount_ = 0;
};

} // namespace orvalen::terminal
