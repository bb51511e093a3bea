#include "support/second_unit.h"

#include <QDir>
#include <QFile>

namespace orvalen::test {

SecondUnit::SecondUnit(TestDatabase& club, double code) {
    listUnit(club, code, QStringLiteral("Unidade Jardim"), address());
    writeBranchDataLink(club.folder());
    db_.exec(QStringLiteral("INSERT INTO MENSALIDADES (CODIGO, DESCRICAO, ACESSOLIVRE) "
                            "VALUES (:C, :D, 1)"),
             {{QStringLiteral(":C"), kFee}, {QStringLiteral(":D"), kFeeName}});
}

void SecondUnit::addStudent(const QString& matricula, const QString& nome) {
    db_.exec(QStringLiteral("INSERT INTO Alunos (Matricula) VALUES (:M)"),
             {{QStringLiteral(":M"), matricula}});
    db_.exec(QStringLiteral("INSERT INTO AlunosAtivos (MATRICULA, NOME, DIA_VENCIMENTO, "
                            "MODALIDADE) VALUES (:M, :N, 10, :F)"),
             {{QStringLiteral(":M"), matricula},
              {QStringLiteral(":N"), nome},
              {QStringLiteral(":F"), kFee}});
}

void SecondUnit::listUnit(TestDatabase& club, double code, const QString& name,
                          const QString& address) {
    club.exec(QStringLiteral("INSERT INTO Filial (CLIENTE, Nome_Unidade, Caminho_Unidade) "
                             "VALUES (:C, :N, :A)"),
              {{QStringLiteral(":C"), code},
               {QStringLiteral(":N"), name},
               {QStringLiteral(":A"), address}});
}

void SecondUnit::writeBranchDataLink(const QString& folder) {
    QFile link(QDir(folder).filePath(QStringLiteral("OrvalenFilial.udl")));
    link.open(QIODevice::WriteOnly);
    link.write("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
               "Provider=SQLite;Data Source=nowhere.db\r\n");
}

} // namespace orvalen::test
