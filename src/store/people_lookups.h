#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QByteArray>
#include <QSqlRecord>
#include <QString>
#include <optional>
#include <vector>

namespace orvalen::store {

// The two orders the terminal's student list is searched in.
enum class StudentOrder { Matricula, Nome };

// A row of the student list as the list shows it.
struct StudentListRow {
    QString matricula;
    QString nome;
};

// A photo row: absent, present with a null picture, or present with its bytes.
struct PhotoRow {
    bool found = false;
    bool isNull = true;
    QByteArray bytes;
};

// One-row lookups of the terminal, each going by an indexed column with the value bound,
// so that a lookup costs the same with a hundred members as with tens of thousands.
// The student list is read a page at a time, in either order.
class PeopleLookups {
public:
    explicit PeopleLookups(const ClubConnection& connection) : connection_(connection) {}

    // The embedded database gets the index the name search goes by (names without regard
    // to case); the club's server needs none.
    Status prepareIndexes() const;

    // `TBLALUNOSATIVOS` located by MATRICULA: the row (every column), if any.
    Result<std::optional<QSqlRecord>> activeStudent(const QString& matricula) const;
    // The same, the number compared as a number (see number_match.h).
    Result<std::optional<QSqlRecord>> activeStudentByNumber(const QString& matricula) const;
    // `TBLalunosInativosSEEK`: whether Alunos (all students, active or not) holds the number,
    // compared as a number (see number_match.h).
    Result<bool> studentOnFile(const QString& matricula) const;
    // The first active student whose key (MATRICULA or NOME) is at or after the text in
    // the list's order; names compare without regard to case.
    Result<std::optional<StudentListRow>> firstActiveFrom(StudentOrder order,
                                                          const QString& key) const;
    Result<int> activeCount() const;
    // Position of the row in the list's order (number of rows before it).
    Result<int> activePosition(StudentOrder order, const StudentListRow& row) const;
    Result<std::vector<StudentListRow>> activePage(StudentOrder order, int offset, int limit) const;

    // `TblFotosAlunosSEEK` and `TblFotosFuncionariosSEEK`: the photo row of the number,
    // compared as a number.
    Result<PhotoRow> studentPhoto(const QString& matricula) const;
    Result<PhotoRow> employeePhoto(const QString& matricula) const;
    // `TBLFUNCIONARIO` located by MATRICULA.
    Result<std::optional<QSqlRecord>> employee(const QString& matricula) const;
    // `TBLPLANOS` and `TBLMODALIDADE` located by CODIGO.
    Result<std::optional<QSqlRecord>> plan(const QString& code) const;
    Result<std::optional<QSqlRecord>> monthlyFee(const QString& code) const;
    // `TBLFILIAL`: how many units the club has.
    Result<int> branchCount() const;
    // `TBLACESSO`: the Acesso row the log table shows first when opened with one row fetched.
    Result<std::optional<QSqlRecord>> firstAccessRow() const;

private:
    Result<std::optional<QSqlRecord>> oneRow(const QString& sql, const Bindings& bindings) const;
    Result<PhotoRow> photo(const QString& table, const QString& matricula) const;

    const ClubConnection& connection_;
};

} // namespace orvalen::store
