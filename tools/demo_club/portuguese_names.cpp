#include "demo_club/portuguese_names.h"

#include <QStringList>

namespace orvalen::demo {

namespace {

QStringList words(const char* commaSeparated) {
    return QString::fromUtf8(commaSeparated).split(QLatin1Char(','));
}

// First names and the middle names that go with them, women's then men's.
struct NameStock {
    QStringList first;
    QStringList middle;
};

const NameStock& women() {
    static const NameStock stock{
        words("Ana,Maria,Beatriz,Juliana,Fernanda,Camila,Larissa,Mariana,Gabriela,Letícia,Aline,"
              "Patrícia,Renata,Luíza,Helena,Isabela,Carolina,Vitória,Bruna,Tatiane,Cláudia,Sônia,"
              "Vanessa,Débora,Raquel,Priscila,Lívia,Natália,Joana,Inês,Conceição,Rosângela,Simone,"
              "Eduarda,Valéria"),
        words("Aparecida,Cristina,Paula,Regina,Clara,Helena,Luíza,Beatriz")};
    return stock;
}

const NameStock& men() {
    static const NameStock stock{
        words("João,José,Pedro,Lucas,Gabriel,Rafael,Mateus,Gustavo,Felipe,Bruno,Thiago,Rodrigo,"
              "Diego,André,Leonardo,Marcelo,Ricardo,Fábio,Sérgio,Paulo,Antônio,Francisco,Carlos,"
              "Luís,Vinícius,Caio,Otávio,Henrique,Márcio,Rogério,Sebastião,Joaquim,Davi,Heitor,"
              "Nícolas,Murilo,Igor"),
        words("Eduardo,Augusto,Luiz,Fernando,Henrique,Alberto,Miguel,Roberto")};
    return stock;
}

const QStringList& surnames() {
    static const QStringList names = words(
        "Silva,Santos,Oliveira,Souza,Rodrigues,Ferreira,Alves,Pereira,Lima,Gomes,Costa,Ribeiro,"
        "Martins,Carvalho,Almeida,Lopes,Soares,Fernandes,Vieira,Barbosa,Rocha,Dias,Nascimento,"
        "Andrade,Moreira,Nunes,Marques,Machado,Mendes,Freitas,Cardoso,Ramos,Gonçalves,Santana,"
        "Teixeira,Araújo,Pinto,Correia,Cavalcanti,Monteiro,Moura,Azevedo,Brandão,Magalhães,"
        "Figueiredo,Sampaio,Peixoto,Guimarães,Assunção,Falcão,Leão,Simões,Damasceno");
    return names;
}

const QString& pick(QRandomGenerator& random, const QStringList& list) {
    return list.at(random.bounded(int(list.size())));
}

} // namespace

QString portugueseName(QRandomGenerator& random) {
    const NameStock& stock = random.bounded(2) == 0 ? women() : men();
    QString name = pick(random, stock.first);
    if (random.bounded(3) == 0) {
        name += QLatin1Char(' ') + pick(random, stock.middle);
    }
    const int surnameCount = 1 + random.bounded(2);
    for (int i = 0; i < surnameCount; ++i) {
        const QString next = QLatin1Char(' ') + pick(random, surnames());
        if (name.size() + next.size() <= 35 && !name.endsWith(next)) {
            name += next;
        }
    }
    if (!name.contains(QLatin1Char(' '))) {
        name += QStringLiteral(" Silva");
    }
    return name;
}

QDate dateBetween(QRandomGenerator& random, const QDate& first, const QDate& last) {
    const qint64 span = first.daysTo(last);
    return span <= 0 ? first : first.addDays(random.bounded(qint64(0), span + 1));
}

} // namespace orvalen::demo
