#include "store/datalink.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;
using store::DataLink;

namespace {

using Encoding = DataLink::Encoding;

QByteArray encoded(Encoding encoding, const QString& text) {
    switch (encoding) {
    case Encoding::Utf16LeBom: {
        QStringEncoder encoder(QStringConverter::Utf16LE);
        return QByteArray("\xFF\xFE", 2) + QByteArray(encoder(text));
    }
    case Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Encoding::Latin1:
        return text.toLatin1();
    case Encoding::Utf8:
        break;
    }
    return text.toUtf8();
}

// A data-link file as the editor writes it: header, comment, one initialisation string.
QString udlText(const QString& initString) {
    return QStringLiteral("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n") +
           initString + QStringLiteral("\r\n");
}

class DataLinkTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }
    QByteArray read(const QString& path) {
        QFile in(path);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }
    QTemporaryDir dir;
};

TEST_F(DataLinkTest, MapsProvidersToConnections) {
    struct Case {
        const char* name;
        Encoding encoding;
        QString initString;
        QString driver; // expected Qt driver
        QString databaseName;
        const char* odbcDriver = "FreeTDS";
        const char* loginTimeout = "SQL_ATTR_LOGIN_TIMEOUT=15";
        const char* tdsVersion = "7.4"; // terminal.ini [database] tds_version
    };
    const Case cases[] = {
        {"editor default", Encoding::Utf16LeBom,
         QStringLiteral(
             "Provider=SQLOLEDB.1;Password=segredo;Persist Security Info=True;User ID=sa;"
             "Initial Catalog=ORVALEN;Data Source=SERVIDOR"),
         QStringLiteral("QODBC"),
         QStringLiteral(
             "DRIVER={FreeTDS};SERVER=SERVIDOR;PORT=1433;DATABASE=ORVALEN;UID=sa;PWD=segredo;"
             "ClientCharset=UTF-8;TDS_Version=7.4")},
        {"named instance", Encoding::Utf8,
         QStringLiteral("Provider=SQLNCLI11.1;User ID=catraca;Password=x1;Initial Catalog=CLUBE;"
                        "Data Source=SRV01\\SQLEXPRESS"),
         QStringLiteral("QODBC"),
         QStringLiteral(
             "DRIVER={FreeTDS};SERVER=SRV01\\SQLEXPRESS;DATABASE=CLUBE;UID=catraca;PWD=x1;"
             "ClientCharset=UTF-8;TDS_Version=7.3"),
         "FreeTDS", "SQL_ATTR_LOGIN_TIMEOUT=15", "7.3"},
        {"port and quoted values", Encoding::Utf8Bom,
         QStringLiteral("Provider=MSOLEDBSQL19; Data Source = tcp:10.0.0.5, 1500 ;User ID=sa;"
                        "Password=\"a;b}c\";Initial Catalog='Clube ''Centro'''"),
         QStringLiteral("QODBC"),
         QStringLiteral("DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=1500;DATABASE=Clube 'Centro';UID=sa;"
                        "PWD={a;b}}c};ClientCharset=UTF-8;TDS_Version=7.4")},
        {"8-bit text and other driver", Encoding::Latin1,
         QStringLiteral("Provider=SQLOLEDB;Data Source=(local);User ID=operação;Password=çã;"
                        "Initial Catalog=ACADEMIA"),
         QStringLiteral("QODBC"),
         QStringLiteral("DRIVER={ODBC Driver 18 for SQL Server};SERVER=localhost;PORT=1433;"
                        "DATABASE=ACADEMIA;UID=operação;PWD=çã;Encrypt=no;"
                        "TrustServerCertificate=no"),
         "ODBC Driver 18 for SQL Server"},
        {"Microsoft's driver with TLS and a login time-out", Encoding::Utf16LeBom,
         QStringLiteral("Provider=MSOLEDBSQL19;Data Source=SRV;User ID=sa;Password=p;"
                        "Use Encryption for Data=True;Trust Server Certificate=True;"
                        "Connect Timeout=5"),
         QStringLiteral("QODBC"),
         QStringLiteral("DRIVER={ODBC Driver 18 for SQL Server};SERVER=SRV;PORT=1433;UID=sa;PWD=p;"
                        "Encrypt=yes;TrustServerCertificate=yes"),
         "ODBC Driver 18 for SQL Server", "SQL_ATTR_LOGIN_TIMEOUT=5"},
        {"embedded", Encoding::Utf16LeBom, QStringLiteral("Provider=SQLite;Data Source=club.db"),
         QStringLiteral("QSQLITE"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path =
            write(QStringLiteral("Orvalen.udl"), encoded(c.encoding, udlText(c.initString)));
        store::LocalSettings local;
        local.folder = dir.path();
        local.odbcDriver = QLatin1String(c.odbcDriver);
        local.tdsVersion = QLatin1String(c.tdsVersion);
        const auto spec = store::connectionSpecFromFile(path, local);
        ASSERT_TRUE(spec.ok()) << spec.error().message.toStdString();
        EXPECT_EQ(spec->driver, c.driver);
        EXPECT_EQ(spec->origin, path);
        if (c.driver == QLatin1String("QSQLITE")) {
            EXPECT_EQ(spec->databaseName, dir.filePath(QStringLiteral("club.db")));
            EXPECT_TRUE(spec->dialect.isSqlite());
        } else {
            EXPECT_EQ(spec->databaseName, c.databaseName);
            EXPECT_EQ(spec->connectOptions, QLatin1String(c.loginTimeout));
            EXPECT_FALSE(spec->dialect.isSqlite());
        }
    }
}

TEST_F(DataLinkTest, RefusesFilesItCannotUseNamingFileAndReason) {
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes; // nullopt: no file at all
        const char* reason;
    };
    const auto file = [](const QString& init) {
        return encoded(Encoding::Utf16LeBom, udlText(init));
    };
    const Case cases[] = {
        {"windows login",
         file(QStringLiteral(
             "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
             "Initial Catalog=ORVALEN;Data Source=SERVIDOR")),
         "integrated security"},
        {"trusted connection",
         file(QStringLiteral("Provider=MSOLEDBSQL;Trusted_Connection=yes;Data Source=SERVIDOR")),
         "integrated security"},
        {"unknown provider",
         file(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\SA\\dados.mdb")),
         "\"Microsoft.Jet.OLEDB.4.0\""},
        {"no provider", file(QStringLiteral("Data Source=SERVIDOR;User ID=sa")), "no Provider"},
        {"no data source", file(QStringLiteral("Provider=SQLOLEDB.1;User ID=sa;Password=x")),
         "no Data Source"},
        {"bad port", file(QStringLiteral("Provider=SQLOLEDB.1;User ID=sa;Data Source=SRV,abc")),
         "\"abc\""},
        {"no user", file(QStringLiteral("Provider=SQLOLEDB.1;Data Source=SRV")), "no User ID"},
        {"bad login time-out",
         file(QStringLiteral(
             "Provider=SQLOLEDB.1;User ID=sa;Data Source=SRV;Connect Timeout=quinze")),
         "\"quinze\" as Connect Timeout"},
        // Found by fuzzing: the driver would read the connection string only up to the NUL.
        {"nul in password",
         file(QStringLiteral("Provider=SQLOLEDB.1;User ID=sa;Data Source=SRV;Password=ab") +
              QChar(u'\0') + QStringLiteral("cd")),
         "NUL character in Password"},
        {"missing", std::nullopt, "does not exist"},
        {"empty", QByteArray(), "is empty"},
        {"bom only", QByteArray("\xFF\xFE", 2), "is empty"},
        {"header only", file(QString()), "no connection properties"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QLatin1String(c.name) + QStringLiteral(".udl"));
        if (c.bytes) {
            write(QLatin1String(c.name) + QStringLiteral(".udl"), *c.bytes);
        }
        const auto spec = store::connectionSpecFromFile(path, store::LocalSettings{});
        ASSERT_FALSE(spec.ok());
        EXPECT_TRUE(spec.error().message.contains(path)) << spec.error().message.toStdString();
        EXPECT_TRUE(spec.error().message.contains(QLatin1String(c.reason), Qt::CaseInsensitive))
            << spec.error().message.toStdString();
    }
}

TEST_F(DataLinkTest, BranchRewriteReplacesTheDataSourceAndKeepsTheEncoding) {
    struct Case {
        const char* name;
        Encoding encoding;
        QString original;
        QString address;
        QString expected;
    };
    const QString head =
        QStringLiteral("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n");
    const QString init = QStringLiteral("Provider=SQLOLEDB.1;Password=s;Persist Security Info=True;"
                                        "User ID=sa;Initial Catalog=ORVALEN;Data Source=");
    // Not valid UTF-8 once written in 8 bits, so the file is read as 8-bit text.
    const QString latinInit =
        QString(init).replace(QStringLiteral("Password=s"), QStringLiteral("Password=seção"));
    const Case cases[] = {
        {"utf-16 with trailing blanks", Encoding::Utf16LeBom,
         head + init + QStringLiteral("MATRIZ\r\n"),
         QStringLiteral("  192.168.10.20\\SQLEXPRESS   "),
         head + init + QStringLiteral("192.168.10.20\\SQLEXPRESS\r\n")},
        {"8-bit with line feeds only", Encoding::Latin1,
         QStringLiteral("[oledb]\n; Everything after this line is an OLE DB initstring\n") +
             latinInit + QStringLiteral("FILIAL-1\n"),
         QStringLiteral("unidade2.clube.com.br,1433\t"),
         head + latinInit + QStringLiteral("unidade2.clube.com.br,1433\r\n")},
        {"utf-8 with bom", Encoding::Utf8Bom, head + init + QStringLiteral("VELHO"),
         QStringLiteral("NOVO"), head + init + QStringLiteral("NOVO\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path =
            write(QStringLiteral("OrvalenFilial.udl"), encoded(c.encoding, c.original));
        const auto status = store::rewriteBranchDataLink(path, c.address);
        ASSERT_TRUE(status.ok()) << status.error().message.toStdString();
        EXPECT_EQ(read(path), encoded(c.encoding, c.expected));
        const auto link = store::readDataLink(path);
        ASSERT_TRUE(link.ok());
        EXPECT_EQ(link->encoding, c.encoding);
        EXPECT_EQ(link->property(QStringLiteral("data source")), c.address.trimmed());
        EXPECT_EQ(link->property(QStringLiteral("Initial Catalog")), QStringLiteral("ORVALEN"));
    }
}

TEST_F(DataLinkTest, BranchRewriteRefusesAMissingFileOrOneWithoutDataSource) {
    const QString missing = dir.filePath(QStringLiteral("OrvalenFilial.udl"));
    const auto noFile = store::rewriteBranchDataLink(missing, QStringLiteral("SRV"));
    ASSERT_FALSE(noFile.ok());
    EXPECT_TRUE(noFile.error().message.contains(missing));
    EXPECT_FALSE(QFile::exists(missing));

    const QByteArray original =
        encoded(Encoding::Utf16LeBom, udlText(QStringLiteral("Provider=SQLite")));
    const QString path = write(QStringLiteral("OrvalenFilial.udl"), original);
    const auto noSource = store::rewriteBranchDataLink(path, QStringLiteral("SRV"));
    ASSERT_FALSE(noSource.ok());
    EXPECT_TRUE(noSource.error().message.contains(QStringLiteral("Data Source")));
    EXPECT_EQ(read(path), original) << "the file is left as it was";
}

} // namespace
