-- What the access terminal expects of the club's database: every table and column it
-- reads or writes, with a type it can read, and the indexes its lookups need.
-- Read-only: run it in sqlcmd or Management Studio on the club's database (the system
-- views are spelled as a case-sensitive collation needs them). `orvalen
-- doctor` makes the same checks over the terminal's own connection.
-- Made by `orvalen statements --check-script`; do not edit by hand.

SET NOCOUNT ON;

DECLARE @expected_columns TABLE (
    table_name SYSNAME,
    column_name SYSNAME,
    declared_type NVARCHAR(40),
    accepted_types NVARCHAR(200),
    declared_length INT
);

INSERT INTO @expected_columns (
    table_name, column_name, declared_type, accepted_types, declared_length
)
VALUES
    (N'Acesso', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'Acesso', N'DATA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'Acesso', N'HORA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'Acesso', N'STATUS', N'NVARCHAR(1)', N'nvarchar,nchar,varchar,char,ntext,text', 1),
    (N'Acesso', N'OBS', N'NVARCHAR(30)', N'nvarchar,nchar,varchar,char,ntext,text', 30),
    (N'Acesso', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'Acesso', N'NOME', N'NVARCHAR(35)', N'nvarchar,nchar,varchar,char,ntext,text', 35),
    (N'Acesso', N'CODIGO_FILIAL', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'AcessoDia', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'AcessoDia', N'DATA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AcessoDia', N'HORA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AcessoDia', N'STATUS', N'NVARCHAR(1)', N'nvarchar,nchar,varchar,char,ntext,text', 1),
    (N'AcessoDia', N'OBS', N'NVARCHAR(30)', N'nvarchar,nchar,varchar,char,ntext,text', 30),
    (N'AcessoDia', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'AcessoDia', N'NOME', N'NVARCHAR(35)', N'nvarchar,nchar,varchar,char,ntext,text', 35),
    (N'AcessoDia', N'CODIGO_FILIAL', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'AcessoDia', N'DIA_VENCIMENTO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'AcessoDia', N'FOTO', N'VARBINARY(MAX)', N'image,varbinary,binary', 0),
    (N'AcessoFuncionarios', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'AcessoFuncionarios', N'DATA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AcessoFuncionarios', N'HORA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AcessoFuncionarios', N'OBS', N'NVARCHAR(30)', N'nvarchar,nchar,varchar,char,ntext,text', 30),
    (N'AcessoFuncionarios', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'AcessoVisitantes', N'ID', N'INT IDENTITY(1,1) PRIMARY KEY', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'AcessoVisitantes', N'DATA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AcessoVisitantes', N'HORA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AcessoVisitantes', N'USUARIO', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'AcessoVisitantes', N'OBS', N'NVARCHAR(30)', N'nvarchar,nchar,varchar,char,ntext,text', 30),
    (N'AcessoVisitantes', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'LiberaGympass', N'ID', N'INT IDENTITY(1,1) PRIMARY KEY', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'LiberaGympass', N'Matricula', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'LiberaGympass', N'Data', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'LiberaGympass', N'Operador', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'LiberaGympass', N'Usuario', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'AlunosAtivos', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'AlunosAtivos', N'NOME', N'NVARCHAR(35)', N'nvarchar,nchar,varchar,char,ntext,text', 35),
    (N'AlunosAtivos', N'DATA_NASCIMENTO', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'DIA_VENCIMENTO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'AlunosAtivos', N'DATA_CADASTRADO', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'OBSERVACAO', N'NVARCHAR(40)', N'nvarchar,nchar,varchar,char,ntext,text', 40),
    (N'AlunosAtivos', N'DESCONTO', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'AlunosAtivos', N'MODALIDADE', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'AlunosAtivos', N'SAIDA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'PLANOS', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'AlunosAtivos', N'DATA_MEDICA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'DATA_FUNCIONAL', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'TURMA_A', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'AlunosAtivos', N'TURMA_B', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'AlunosAtivos', N'TURMA_C', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'AlunosAtivos', N'TURMA_D', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'AlunosAtivos', N'MENSAGEM', N'NVARCHAR(40)', N'nvarchar,nchar,varchar,char,ntext,text', 40),
    (N'AlunosAtivos', N'TURMA_E', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'AlunosAtivos', N'TURMA_F', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'AlunosAtivos', N'VALIDADE_BOLSA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'BOLSISTA', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'AlunosAtivos', N'DATA_TRANCAMENTO', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'REPASSE', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AlunosAtivos', N'PENDENCIA', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'AlunosAtivos', N'BLOQUEIA_ROLETA', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'AlunosAtivos', N'Gympass', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'AlunosAtivos', N'DIGITAL', N'VARCHAR(1000)', N'nvarchar,nchar,varchar,char,ntext,text', 1000),
    (N'Alunos', N'Matricula', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'Alunos', N'Digital_Persona', N'NVARCHAR(MAX)', N'nvarchar,nchar,varchar,char,ntext,text', 0),
    (N'alunosinativos', N'matricula', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'Funcionarios', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'Funcionarios', N'NOME', N'NVARCHAR(35)', N'nvarchar,nchar,varchar,char,ntext,text', 35),
    (N'Funcionarios', N'DATA_DEMISSAO', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'Funcionarios', N'CARGO', N'NVARCHAR(15)', N'nvarchar,nchar,varchar,char,ntext,text', 15),
    (N'Funcionarios', N'DATA_NASCIMENTO', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'Funcionarios', N'ACESSOLIBERADO', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'Funcionarios', N'DIGITAL', N'VARCHAR(1000)', N'nvarchar,nchar,varchar,char,ntext,text', 1000),
    (N'Funcionarios', N'Digital_Persona', N'NVARCHAR(MAX)', N'nvarchar,nchar,varchar,char,ntext,text', 0),
    (N'FotosAlunos', N'ID', N'INT IDENTITY(1,1) PRIMARY KEY', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'FotosAlunos', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'FotosAlunos', N'FOTO1', N'VARBINARY(MAX)', N'image,varbinary,binary', 0),
    (N'FotosAlunos', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'FotosFuncionarios', N'ID', N'INT IDENTITY(1,1) PRIMARY KEY', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'FotosFuncionarios', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'FotosFuncionarios', N'FOTO1', N'VARBINARY(MAX)', N'image,varbinary,binary', 0),
    (N'FotosFuncionarios', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'PLANOS', N'CODIGO', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'PLANOS', N'DESCRICAO', N'NVARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20),
    (N'MENSALIDADES', N'CODIGO', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'MENSALIDADES', N'DESCRICAO', N'NVARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20),
    (N'MENSALIDADES', N'NUMERO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'MENSALIDADES', N'VALOR', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'MENSALIDADES', N'ACESSOLIVRE', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'RECEB', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'RECEB', N'MES', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'RECEB', N'ANO', N'NVARCHAR(4)', N'nvarchar,nchar,varchar,char,ntext,text', 4),
    (N'Turma', N'CODIGO', N'NVARCHAR(7)', N'nvarchar,nchar,varchar,char,ntext,text', 7),
    (N'Turma', N'DESCRICAO', N'NVARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20),
    (N'Turma', N'MAXIMO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Turma', N'ATIVOS', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Turma', N'HORA_INICIAL', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'Turma', N'HORA_FINAL', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'Turma', N'TOLERANCIA', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'Turma', N'SEG', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Turma', N'TER', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Turma', N'QUA', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Turma', N'QUI', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Turma', N'SEX', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Turma', N'SAB', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Turma', N'DOM', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Turma', N'TOLERANCIA_ENTRADA', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'Turma', N'TOLERANCIA_SAIDA', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'Turma', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'Turma', N'CODIGO_PROF', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'ATIVIDADES', N'CODIGO', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'ATIVIDADES', N'DESCRICAO', N'NVARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20),
    (N'ALUNOSATIVIDADES', N'ID', N'INT IDENTITY(1,1) PRIMARY KEY', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'ALUNOSATIVIDADES', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'ALUNOSATIVIDADES', N'ATIVIDADE', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'ALUNOSATIVIDADES', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'FrequenciaAula', N'MATRICULA', N'NVARCHAR(10)', N'nvarchar,nchar,varchar,char,ntext,text', 10),
    (N'FrequenciaAula', N'DATA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'FrequenciaAula', N'CLIENTE', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'FrequenciaAula', N'Codigo_Aula', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'FrequenciaAula', N'ATIVIDADE', N'NVARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20),
    (N'AulasColetivas', N'Codigo', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'AulasColetivas', N'Cliente', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'AulasColetivas', N'HORA_INICIAL', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AulasColetivas', N'TOLERANCIA_ENTRADA', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'AulasColetivas', N'HORA_FINAL', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'AulasColetivas', N'TOLERANCIA_SAIDA', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'Filial', N'CLIENTE', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'Filial', N'Nome_Unidade', N'VARCHAR(35)', N'nvarchar,nchar,varchar,char,ntext,text', 35),
    (N'Filial', N'Caminho_Unidade', N'VARCHAR(50)', N'nvarchar,nchar,varchar,char,ntext,text', 50),
    (N'caixa', N'OPERADOR', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'caixa', N'DATAABERTURA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'caixa', N'HORAINICIAL', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'caixa', N'ATIVO', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'caixa', N'SUPRIMENTO', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'SANGRIA', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'MATRICULA', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'MEDICA', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'FUNCIONAL', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'NUTRICIONISTA', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'MENSAL', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'PLANO', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'DINHEIRO', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'CHEQUE', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'CARTAO', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'DINHEIRO_OP', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'CHEQUE_OP', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'CARTAO_OP', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'SALDO_INICIAL', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'SALDO_FINAL', N'MONEY', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'caixa', N'DATAFECHAMENTO', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'caixa', N'HORAFINAL', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'caixa', N'TERMINO', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'caixa', N'USUARIO', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'caixa', N'PDR', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'CaixaControle', N'DATA', N'DATETIME', N'datetime,smalldatetime,datetime2,date', 0),
    (N'CaixaControle', N'CONTADORPDR', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'CaixaControle', N'ABERTO', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Usuarios', N'CODIGO', N'VARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'Usuarios', N'NOME', N'VARCHAR(18)', N'nvarchar,nchar,varchar,char,ntext,text', 18),
    (N'Usuarios', N'SENHA', N'VARCHAR(6)', N'nvarchar,nchar,varchar,char,ntext,text', 6),
    (N'Usuarios', N'U_REACESSORETAGUARDA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'CLIENTE', N'FLOAT', N'float,real,money,smallmoney,numeric,decimal,tinyint,smallint,int,bigint', 0),
    (N'Sacvar', N'ROLETA', N'VARCHAR(4)', N'nvarchar,nchar,varchar,char,ntext,text', 4),
    (N'Sacvar', N'TIPO_ROLETA', N'VARCHAR(1)', N'nvarchar,nchar,varchar,char,ntext,text', 1),
    (N'Sacvar', N'ACESSO_PULSO', N'VARCHAR(5)', N'nvarchar,nchar,varchar,char,ntext,text', 5),
    (N'Sacvar', N'ACESSO_TEMPO', N'VARCHAR(5)', N'nvarchar,nchar,varchar,char,ntext,text', 5),
    (N'Sacvar', N'PINPAD', N'VARCHAR(4)', N'nvarchar,nchar,varchar,char,ntext,text', 4),
    (N'Sacvar', N'PADRAOTEC12', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'PROCURAMATRICULANOME', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'MATRICULA_ACESSO', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_MATRICULA_NASC', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_F2_BLOQUEIA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_DATA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_HORA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_MENSAGEM_GERAL', N'VARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20),
    (N'Sacvar', N'ACESSO_MENSAGEM', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_ANIVERSARIANTE', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_MEDICA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_FUNCIONAL', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'ACESSO_FISICA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'PRAZOAVALMED', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'PRAZOAVALFUN', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'TOLERANCIA_AVALIACAO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'BLOQUEIA_AVALIACAO_ACESSO', N'VARCHAR(9)', N'nvarchar,nchar,varchar,char,ntext,text', 9),
    (N'Sacvar', N'VENCIMENTOFIXO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'TOLERANCIA_ACESSO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'ULTIMO_DIA', N'VARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'Sacvar', N'LOGOACADEMIA1', N'VARBINARY(MAX)', N'image,varbinary,binary', 0),
    (N'Sacvar', N'ACADEMIA', N'VARCHAR(35)', N'nvarchar,nchar,varchar,char,ntext,text', 35),
    (N'Sacvar', N'ENDERACADEMIA', N'VARCHAR(40)', N'nvarchar,nchar,varchar,char,ntext,text', 40),
    (N'Sacvar', N'COMPLEMENTO1', N'VARCHAR(40)', N'nvarchar,nchar,varchar,char,ntext,text', 40),
    (N'Sacvar', N'CNPJCPF', N'VARCHAR(40)', N'nvarchar,nchar,varchar,char,ntext,text', 40),
    (N'Sacvar', N'ACESSO_INTERVALO_TIMER', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'ACESSO_RESPOSTA_TIMER', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'ACESSO_TIMEOUT', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'ACESSO_TEMPO_ESPERA', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'ACESSO_INVERTE_PULSO', N'BIT', N'bit,tinyint,smallint,int', 0),
    (N'Sacvar', N'C_MEDICA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'C_FISICA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'C_FUNCIONAL', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'PRAZOAVALFIS', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'SAIDAALUNO', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'SAIDAALUNODIAS', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'TIPOTRANCAMENTO', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'TIPO_ENTRADA', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar', N'NUMEROCOLETOR', N'SMALLINT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar', N'VELOCIDADE', N'VARCHAR(5)', N'nvarchar,nchar,varchar,char,ntext,text', 5),
    (N'Sacvar2', N'FILIAL', N'NVARCHAR(2)', N'nvarchar,nchar,varchar,char,ntext,text', 2),
    (N'Sacvar2', N'USB_LPT', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'ENDERECO_LPT', N'VARCHAR(4)', N'nvarchar,nchar,varchar,char,ntext,text', 4),
    (N'Sacvar2', N'CatracaWireless', N'VARCHAR(15)', N'nvarchar,nchar,varchar,char,ntext,text', 15),
    (N'Sacvar2', N'VELOCIDADE', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar2', N'DATABIT', N'NVARCHAR(1)', N'nvarchar,nchar,varchar,char,ntext,text', 1),
    (N'Sacvar2', N'STOPBIT', N'NVARCHAR(1)', N'nvarchar,nchar,varchar,char,ntext,text', 1),
    (N'Sacvar2', N'PARIDADE', N'NVARCHAR(5)', N'nvarchar,nchar,varchar,char,ntext,text', 5),
    (N'Sacvar2', N'Tec12USB', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'LEITOR_BIOMETRICO', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'Tipo_Leitor', N'VARCHAR(1)', N'nvarchar,nchar,varchar,char,ntext,text', 1),
    (N'Sacvar2', N'MATRICULADIGITAL', N'NVARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'Tec12ouBiometria', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'NIVAL_SEGURANCA_BIO', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar2', N'TOLERANCIAENTRADA', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar2', N'QTD_ACESSO', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar2', N'ACESSO_PENDENCIA', N'NVARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20),
    (N'Sacvar2', N'ACESSO_PENDENCIA_BLOQUEIO', N'NVARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'DIA_DATA_VENCIMENTO', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'Acesso_Agendamento', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'AgendamentoAulaPortal', N'VARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'INSC_MUNICIPAL', N'NVARCHAR(15)', N'nvarchar,nchar,varchar,char,ntext,text', 15),
    (N'Sacvar2', N'CAMINHO_VIDEO', N'NVARCHAR(500)', N'nvarchar,nchar,varchar,char,ntext,text', 500),
    (N'Sacvar2', N'LPT_3_17', N'NVARCHAR(3)', N'nvarchar,nchar,varchar,char,ntext,text', 3),
    (N'Sacvar2', N'VERSAO_LEITOR', N'INT', N'tinyint,smallint,int,bigint,numeric,decimal', 0),
    (N'Sacvar2', N'LINK_BIOMETRIA', N'NVARCHAR(20)', N'nvarchar,nchar,varchar,char,ntext,text', 20);

-- One row per expected column: ok, or what is wrong with it.
SELECT
    e.table_name,
    e.column_name,
    e.declared_type,
    c.DATA_TYPE AS found_type,
    c.CHARACTER_MAXIMUM_LENGTH AS found_length,
    CASE
        WHEN t.TABLE_NAME IS NULL THEN 'table missing'
        WHEN c.COLUMN_NAME IS NULL THEN 'column missing'
        WHEN
            CHARINDEX(',' + c.DATA_TYPE + ',', ',' + e.accepted_types + ',') = 0
            THEN 'type the terminal cannot read'
        WHEN
            e.declared_length > 0
            AND c.CHARACTER_MAXIMUM_LENGTH > 0
            AND c.CHARACTER_MAXIMUM_LENGTH < e.declared_length
            THEN 'shorter than the terminal writes'
        ELSE 'ok'
    END AS verdict
FROM @expected_columns AS e
LEFT JOIN INFORMATION_SCHEMA.TABLES AS t
    ON t.TABLE_NAME = e.table_name
LEFT JOIN INFORMATION_SCHEMA.COLUMNS AS c
    ON c.TABLE_NAME = e.table_name AND c.COLUMN_NAME = e.column_name
ORDER BY e.table_name, e.column_name;

DECLARE @expected_indexes TABLE (
    index_name SYSNAME,
    table_name SYSNAME,
    create_statement NVARCHAR(400)
);

INSERT INTO @expected_indexes (index_name, table_name, create_statement)
VALUES
    (N'IX_AlunosAtivos_MATRICULA', N'AlunosAtivos', N'CREATE INDEX IX_AlunosAtivos_MATRICULA ON AlunosAtivos (MATRICULA)'),
    (N'AlunosAtivos_NOME_NOCASE', N'AlunosAtivos', N'CREATE INDEX AlunosAtivos_NOME_NOCASE ON AlunosAtivos (NOME, MATRICULA)'),
    (N'IX_Alunos_Matricula', N'Alunos', N'CREATE INDEX IX_Alunos_Matricula ON Alunos (Matricula)'),
    (N'IX_Funcionarios_MATRICULA', N'Funcionarios', N'CREATE INDEX IX_Funcionarios_MATRICULA ON Funcionarios (MATRICULA)'),
    (N'IX_FotosAlunos_MATRICULA', N'FotosAlunos', N'CREATE INDEX IX_FotosAlunos_MATRICULA ON FotosAlunos (MATRICULA)'),
    (N'IX_FotosFuncionarios_MATRICULA', N'FotosFuncionarios', N'CREATE INDEX IX_FotosFuncionarios_MATRICULA ON FotosFuncionarios (MATRICULA)'),
    (N'IX_PLANOS_CODIGO', N'PLANOS', N'CREATE INDEX IX_PLANOS_CODIGO ON PLANOS (CODIGO)'),
    (N'IX_MENSALIDADES_CODIGO', N'MENSALIDADES', N'CREATE INDEX IX_MENSALIDADES_CODIGO ON MENSALIDADES (CODIGO)'),
    (N'IX_RECEB_MATRICULA', N'RECEB', N'CREATE INDEX IX_RECEB_MATRICULA ON RECEB (MATRICULA)'),
    (N'IX_Turma_CODIGO', N'Turma', N'CREATE INDEX IX_Turma_CODIGO ON Turma (CODIGO)'),
    (N'IX_ATIVIDADES_CODIGO', N'ATIVIDADES', N'CREATE INDEX IX_ATIVIDADES_CODIGO ON ATIVIDADES (CODIGO)'),
    (N'IX_ALUNOSATIVIDADES_MATRICULA', N'ALUNOSATIVIDADES', N'CREATE INDEX IX_ALUNOSATIVIDADES_MATRICULA ON ALUNOSATIVIDADES (MATRICULA)'),
    (N'IX_FrequenciaAula_MATRICULA', N'FrequenciaAula', N'CREATE INDEX IX_FrequenciaAula_MATRICULA ON FrequenciaAula (MATRICULA)'),
    (N'IX_AulasColetivas_Codigo', N'AulasColetivas', N'CREATE INDEX IX_AulasColetivas_Codigo ON AulasColetivas (Codigo)'),
    (N'IX_AcessoDia_MATRICULA', N'AcessoDia', N'CREATE INDEX IX_AcessoDia_MATRICULA ON AcessoDia (MATRICULA)'),
    (N'IX_LiberaGympass_Matricula', N'LiberaGympass', N'CREATE INDEX IX_LiberaGympass_Matricula ON LiberaGympass (Matricula)'),
    (N'IX_Acesso_DATA', N'Acesso', N'CREATE INDEX IX_Acesso_DATA ON Acesso (DATA)'),
    (N'IX_Acesso_MATRICULA', N'Acesso', N'CREATE INDEX IX_Acesso_MATRICULA ON Acesso (MATRICULA)'),
    (N'IX_AcessoFuncionarios_DATA', N'AcessoFuncionarios', N'CREATE INDEX IX_AcessoFuncionarios_DATA ON AcessoFuncionarios (DATA)'),
    (N'IX_AcessoVisitantes_DATA', N'AcessoVisitantes', N'CREATE INDEX IX_AcessoVisitantes_DATA ON AcessoVisitantes (DATA)'),
    (N'IX_Usuarios_CODIGO', N'Usuarios', N'CREATE INDEX IX_Usuarios_CODIGO ON Usuarios (CODIGO)');

DECLARE @expected_index_columns TABLE (
    index_name SYSNAME,
    key_position INT,
    column_name SYSNAME
);

INSERT INTO @expected_index_columns (index_name, key_position, column_name)
VALUES
    (N'IX_AlunosAtivos_MATRICULA', 1, N'MATRICULA'),
    (N'AlunosAtivos_NOME_NOCASE', 1, N'NOME'),
    (N'AlunosAtivos_NOME_NOCASE', 2, N'MATRICULA'),
    (N'IX_Alunos_Matricula', 1, N'Matricula'),
    (N'IX_Funcionarios_MATRICULA', 1, N'MATRICULA'),
    (N'IX_FotosAlunos_MATRICULA', 1, N'MATRICULA'),
    (N'IX_FotosFuncionarios_MATRICULA', 1, N'MATRICULA'),
    (N'IX_PLANOS_CODIGO', 1, N'CODIGO'),
    (N'IX_MENSALIDADES_CODIGO', 1, N'CODIGO'),
    (N'IX_RECEB_MATRICULA', 1, N'MATRICULA'),
    (N'IX_Turma_CODIGO', 1, N'CODIGO'),
    (N'IX_ATIVIDADES_CODIGO', 1, N'CODIGO'),
    (N'IX_ALUNOSATIVIDADES_MATRICULA', 1, N'MATRICULA'),
    (N'IX_FrequenciaAula_MATRICULA', 1, N'MATRICULA'),
    (N'IX_AulasColetivas_Codigo', 1, N'Codigo'),
    (N'IX_AcessoDia_MATRICULA', 1, N'MATRICULA'),
    (N'IX_LiberaGympass_Matricula', 1, N'Matricula'),
    (N'IX_Acesso_DATA', 1, N'DATA'),
    (N'IX_Acesso_MATRICULA', 1, N'MATRICULA'),
    (N'IX_AcessoFuncionarios_DATA', 1, N'DATA'),
    (N'IX_AcessoVisitantes_DATA', 1, N'DATA'),
    (N'IX_Usuarios_CODIGO', 1, N'CODIGO');

-- One row per index a lookup needs: present when some index of the table starts with
-- its columns in order; otherwise the statement that makes it.
SELECT
    n.table_name,
    n.index_name,
    CASE
        WHEN OBJECT_ID(n.table_name) IS NULL THEN 'table missing'
        WHEN EXISTS (
            SELECT 1
            FROM sys.indexes AS i
            WHERE
                i.object_id = OBJECT_ID(n.table_name)
                AND NOT EXISTS (
                    SELECT 1
                    FROM @expected_index_columns AS k
                    WHERE
                        k.index_name = n.index_name
                        AND NOT EXISTS (
                            SELECT 1
                            FROM sys.index_columns AS ic
                            INNER JOIN sys.columns AS c
                                ON
                                    c.object_id = ic.object_id
                                    AND c.column_id = ic.column_id
                            WHERE
                                ic.object_id = i.object_id
                                AND ic.index_id = i.index_id
                                AND ic.key_ordinal = k.key_position
                                AND c.name = k.column_name
                        )
                )
        ) THEN 'present'
        ELSE 'missing: ' + n.create_statement
    END AS verdict
FROM @expected_indexes AS n
ORDER BY n.table_name, n.index_name;
