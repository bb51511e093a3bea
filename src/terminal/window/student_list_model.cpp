#include "terminal/window/student_list_model.h"

#include "terminal/colours.h"

#include <QColor>
#include <QFont>

namespace orvalen::terminal {

int StudentListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownCount_;
}

int StudentListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant StudentListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole: {
        try {
            const auto row = students_.rowAt(index.row());
            if (!row) {
                return {};
            }
            return index.column() == 0 ? row->matricula : row->nome;
        } catch (const std::exception&) {
            return {}; // the next reset reads the list again
        }
    }
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? QVariant(Qt::AlignCenter)
                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return QColor(96, 96, 96);
    case Qt::ToolTipRole:
        return QStringLiteral("Clique duplo para selecionar");
    default:
        return {};
    }
}

QVariant StudentListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return section == 0 ? QStringLiteral("Matrícula") : QStringLiteral("Nome");
    }
    if (role == Qt::TextAlignmentRole) {
        return section == 0 ? QVariant(Qt::AlignCenter)
                            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

void StudentListModel::refresh() {
    if (students_.revision() == shownRevision_) {
        return;
    }
    shownRevision_ = students_.revision();
    beginResetModel();
    try {
        shownCount_ = students_.count();
    } catch (const std::exception&) {
        shownCount_ = 0;
    }
    endResetModel();
}

} // namespace orvalen::terminal
