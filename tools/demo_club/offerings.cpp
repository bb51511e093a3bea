#include "demo_club/offerings.h"

#include "demo_club/club_setup.h"

namespace orvalen::demo {

namespace {

struct Activity {
    const char* code;
    const char* description;
};

constexpr Activity kActivities[] = {
    {"01", "Musculação"}, {"02", "Natação"}, {"03", "Spinning"}, {"04", "Pilates"},
    {"05", "Funcional"},  {"06", "Dança"},   {"07", "Yoga"},     {"08", "Hidroginástica"},
};

struct Fee {
    const char* code;
    const char* description;
    int number;
    double value;
    bool freeAccess;
};

constexpr Fee kFees[] = {
    {"01", "Musculação", 1, 129.90, false},    {"02", "Musculação + Aulas", 2, 169.90, false},
    {"03", "Natação", 1, 149.90, false},       {"04", "Pilates", 1, 199.90, false},
    {"05", "Livre Total", 3, 219.90, false},   {"06", "Estudante", 1, 99.90, false},
    {"07", "Terceira Idade", 1, 89.90, false}, {"08", "Cortesia", 0, 0.00, true},
    {"09", "Gympass", 0, 0.00, true},
};

struct Plan {
    const char* code;
    const char* description;
};

constexpr Plan kPlans[] = {
    {"01", "Anual"},   {"02", "Semestral"}, {"03", "Trimestral"},
    {"04", "Família"}, {"05", "Empresa"},
};

constexpr std::array<bool, 7> kEveryDay{true, true, true, true, true, true, true};
constexpr std::array<bool, 7> kMonWedFri{true, false, true, false, true, false, false};
constexpr std::array<bool, 7> kTueThu{false, true, false, true, false, false, false};
constexpr std::array<bool, 7> kWeekdays{true, true, true, true, true, false, false};
constexpr std::array<bool, 7> kSaturday{false, false, false, false, false, true, false};

} // namespace

const QList<WeeklyClass>& weeklyClasses() {
    static const QList<WeeklyClass> classes{
        {QLatin1String(kAllDayClass), QStringLiteral("Musculação Livre"), QTime(0, 0),
         QTime(23, 59), 0, 0, kEveryDay, QStringLiteral("01")},
        {QStringLiteral("NAT07"), QStringLiteral("Natação Manhã"), QTime(7, 0), QTime(8, 0), 15, 15,
         kMonWedFri, QStringLiteral("02")},
        {QStringLiteral("NAT19"), QStringLiteral("Natação Noite"), QTime(19, 0), QTime(20, 0), 15,
         15, kTueThu, QStringLiteral("02")},
        {QStringLiteral("PIL08"), QStringLiteral("Pilates Manhã"), QTime(8, 0), QTime(9, 0), 10, 10,
         kTueThu, QStringLiteral("04")},
        {QStringLiteral("FUN18"), QStringLiteral("Funcional Tarde"), QTime(18, 0), QTime(19, 0), 15,
         30, kWeekdays, QStringLiteral("05")},
        {QStringLiteral("DAN20"), QStringLiteral("Dança de Salão"), QTime(20, 0), QTime(21, 30), 20,
         10, kMonWedFri, QStringLiteral("06")},
        {QStringLiteral("YOG09"), QStringLiteral("Yoga Sábado"), QTime(9, 0), QTime(10, 30), 15, 15,
         kSaturday, QStringLiteral("07")},
        {QStringLiteral("HID10"), QStringLiteral("Hidroginástica"), QTime(10, 0), QTime(11, 0), 15,
         15, kTueThu, QStringLiteral("08")},
    };
    return classes;
}

const QList<GroupClass>& groupClasses() {
    static const QList<GroupClass> classes{
        {1, QStringLiteral("03 - SPINNING"), QTime(7, 0), QTime(7, 45)},
        {2, QStringLiteral("04 - PILATES"), QTime(8, 0), QTime(9, 0)},
        {3, QStringLiteral("05 - FUNCIONAL"), QTime(18, 0), QTime(19, 0)},
        {4, QStringLiteral("06 - ZUMBA"), QTime(19, 30), QTime(20, 30)},
    };
    return classes;
}

QString classNotRunningOn(const QDate& day) {
    const int weekday = day.dayOfWeek() - 1;
    for (const WeeklyClass& weekly : weeklyClasses()) {
        if (!weekly.days[weekday]) {
            return weekly.code;
        }
    }
    return {};
}

QStringList activityCodes() {
    QStringList codes;
    for (const Activity& activity : kActivities) {
        codes << QLatin1String(activity.code);
    }
    return codes;
}

store::Status writeOfferings(RowWriter& writer, double branchCode) {
    for (const Activity& activity : kActivities) {
        if (auto s = writer.insert(
                QStringLiteral("ATIVIDADES"),
                {{QStringLiteral("CODIGO"), QLatin1String(activity.code)},
                 {QStringLiteral("DESCRICAO"), QString::fromUtf8(activity.description)}});
            !s) {
            return s;
        }
    }
    for (const Plan& plan : kPlans) {
        if (auto s =
                writer.insert(QStringLiteral("PLANOS"),
                              {{QStringLiteral("CODIGO"), QLatin1String(plan.code)},
                               {QStringLiteral("DESCRICAO"), QString::fromUtf8(plan.description)}});
            !s) {
            return s;
        }
    }
    for (const Fee& fee : kFees) {
        if (auto s =
                writer.insert(QStringLiteral("MENSALIDADES"),
                              {{QStringLiteral("CODIGO"), QLatin1String(fee.code)},
                               {QStringLiteral("DESCRICAO"), QString::fromUtf8(fee.description)},
                               {QStringLiteral("NUMERO"), fee.number},
                               {QStringLiteral("VALOR"), fee.value},
                               {QStringLiteral("ACESSOLIVRE"), RowWriter::flag(fee.freeAccess)}});
            !s) {
            return s;
        }
    }
    static const QStringList dayColumns{
        QStringLiteral("SEG"), QStringLiteral("TER"), QStringLiteral("QUA"), QStringLiteral("QUI"),
        QStringLiteral("SEX"), QStringLiteral("SAB"), QStringLiteral("DOM")};
    for (const WeeklyClass& weekly : weeklyClasses()) {
        store::Bindings row{{QStringLiteral("CODIGO"), weekly.code},
                            {QStringLiteral("DESCRICAO"), weekly.description},
                            {QStringLiteral("MAXIMO"), 30},
                            {QStringLiteral("ATIVOS"), 0},
                            {QStringLiteral("HORA_INICIAL"), writer.timeOfDay(weekly.start)},
                            {QStringLiteral("HORA_FINAL"), writer.timeOfDay(weekly.end)},
                            {QStringLiteral("TOLERANCIA"), weekly.toleranceIn},
                            {QStringLiteral("TOLERANCIA_ENTRADA"), weekly.toleranceIn},
                            {QStringLiteral("TOLERANCIA_SAIDA"), weekly.toleranceOut},
                            {QStringLiteral("FILIAL"), branchText(branchCode)},
                            {QStringLiteral("CODIGO_PROF"), QStringLiteral("0000000101")}};
        for (int day = 0; day < 7; ++day) {
            row.emplace_back(dayColumns.at(day), RowWriter::flag(weekly.days[day]));
        }
        if (auto s = writer.insert(QStringLiteral("Turma"), row); !s) {
            return s;
        }
    }
    for (const GroupClass& group : groupClasses()) {
        if (auto s = writer.insert(QStringLiteral("AulasColetivas"),
                                   {{QStringLiteral("Codigo"), group.code},
                                    {QStringLiteral("Cliente"), branchCode},
                                    {QStringLiteral("HORA_INICIAL"), writer.timeOfDay(group.start)},
                                    {QStringLiteral("TOLERANCIA_ENTRADA"), 10},
                                    {QStringLiteral("HORA_FINAL"), writer.timeOfDay(group.end)},
                                    {QStringLiteral("TOLERANCIA_SAIDA"), 10}});
            !s) {
            return s;
        }
    }
    return store::Status::success();
}

} // namespace orvalen::demo
