#pragma once

#include "store/people_lookups.h"
#include "terminal/student_source.h"

#include <QSqlRecord>
#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace orvalen::terminal {

// The screen's list of active students (AlunosAtivos): an order, a cursor, and rows read
// from the database a page at a time when the list shows them. Nothing here grows with
// the number of members: a re-query forgets what was read, a search is one indexed row.
class StudentList {
public:
    // The list reads wherever the source points; after a switch the screen re-queries it.
    explicit StudentList(const StudentSource& source) : source_(source) {}

    // Throw store errors as DatabaseError (see screen_errors.h).
    void requery();
    void setOrder(store::StudentOrder order);
    store::StudentOrder order() const { return order_; }

    // Cursor moves; each returns true when the cursor is on a row afterwards.
    bool first();
    bool locatePrefix(
        const QString& key); // partial, without regard to case; unchanged when nothing matches
    bool locateExact(const QString& matricula);
    void moveTo(int position);

    bool isEmpty();
    bool hasCurrent() const { return current_.has_value(); }
    int count();
    int position() const { return position_; }
    QString currentMatricula() const { return current_ ? current_->matricula : QString(); }
    QString currentNome() const { return current_ ? current_->nome : QString(); }
    // Every column of the current row, read when first asked for. A copy: a decision keeps
    // it across its waits, while a re-query or a cursor move forgets the list's own.
    QSqlRecord record();

    // Rows for the list view.
    std::optional<store::StudentListRow> rowAt(int position);
    // Changes whenever the rows, their order or the cursor change.
    int revision() const { return revision_; }

private:
    void setCurrent(std::optional<store::StudentListRow> row, int position);

    const store::PeopleLookups& lookups() const { return source_.people(); }

    static constexpr int kPageSize = 64;
    const StudentSource& source_;
    store::StudentOrder order_ = store::StudentOrder::Matricula;
    std::optional<store::StudentListRow> current_;
    int position_ = -1;
    std::optional<QSqlRecord> record_;
    std::optional<int> count_;
    std::map<int, std::vector<store::StudentListRow>> pages_;
    int revision_ = 0;
};

} // namespace orvalen::terminal
