#include "terminal/student_list.h"

#include "terminal/screen_errors.h"

namespace orvalen::terminal {

void StudentList::requery() {
    count_.reset();
    pages_.clear();
    record_.reset();
    setCurrent(std::nullopt, -1);
    first();
}

void StudentList::setOrder(store::StudentOrder order) {
    if (order == order_) {
        return;
    }
    order_ = order;
    pages_.clear();
    if (current_) {
        position_ = need(lookups().activePosition(order_, *current_));
    }
    ++revision_;
}

bool StudentList::first() {
    auto rows = need(lookups().activePage(order_, 0, 1));
    setCurrent(rows.empty() ? std::nullopt : std::optional(rows.front()), rows.empty() ? -1 : 0);
    return current_.has_value();
}

bool StudentList::locatePrefix(const QString& key) {
    auto row = need(lookups().firstActiveFrom(order_, key));
    if (!row || !(order_ == store::StudentOrder::Matricula ? row->matricula : row->nome)
                     .startsWith(key, Qt::CaseInsensitive)) {
        return false;
    }
    setCurrent(row, need(lookups().activePosition(order_, *row)));
    return true;
}

bool StudentList::locateExact(const QString& matricula) {
    setOrder(store::StudentOrder::Matricula);
    auto record = need(lookups().activeStudent(matricula));
    if (!record || record->value(QStringLiteral("MATRICULA")).toString() != matricula) {
        return false;
    }
    store::StudentListRow row{record->value(QStringLiteral("MATRICULA")).toString(),
                              record->value(QStringLiteral("NOME")).toString()};
    setCurrent(row, need(lookups().activePosition(order_, row)));
    record_ = *record;
    return true;
}

void StudentList::moveTo(int position) {
    if (auto row = rowAt(position)) {
        setCurrent(row, position);
    }
}

bool StudentList::isEmpty() {
    return count() == 0;
}

int StudentList::count() {
    if (!count_) {
        count_ = need(lookups().activeCount());
    }
    return *count_;
}

QSqlRecord StudentList::record() {
    if (!record_) {
        std::optional<QSqlRecord> found;
        if (current_) {
            found = need(lookups().activeStudent(current_->matricula));
        }
        record_ = found.value_or(QSqlRecord());
    }
    return *record_;
}

std::optional<store::StudentListRow> StudentList::rowAt(int position) {
    if (position < 0) {
        return std::nullopt;
    }
    const int page = position / kPageSize;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        it = pages_.emplace(page, need(lookups().activePage(order_, page * kPageSize, kPageSize)))
                 .first;
    }
    const int index = position % kPageSize;
    if (index >= static_cast<int>(it->second.size())) {
        return std::nullopt;
    }
    return it->second[static_cast<size_t>(index)];
}

void StudentList::setCurrent(std::optional<store::StudentListRow> row, int position) {
    const bool same = row && current_ && row->matricula == current_->matricula;
    if (!same) {
        record_.reset();
    }
    current_ = std::move(row);
    position_ = position;
    ++revision_;
}

} // namespace orvalen::terminal
