#include "demo_club/demo_devices.h"

namespace orvalen::demo {

store::Status configureDemoDevices(const store::ClubConnection& main, bool on) {
    return main.inTransaction([&]() -> store::Status {
        const auto sacvar = main.execute(
            QStringLiteral("UPDATE Sacvar SET ROLETA = :TURNSTILE, TIPO_ROLETA = :KIND, "
                           "PINPAD = :PORT, PADRAOTEC12 = :TEC12"),
            {{QStringLiteral(":TURNSTILE"), on ? QStringLiteral("WIFI") : QStringLiteral("NADA")},
             {QStringLiteral(":KIND"), on ? QStringLiteral("R") : QStringLiteral("N")},
             {QStringLiteral(":PORT"), on ? QLatin1String(kReaderPort) : QLatin1String("NADA")},
             {QStringLiteral(":TEC12"), on ? QStringLiteral("Sim") : QStringLiteral("Não")}});
        if (!sacvar.ok()) {
            return sacvar.error();
        }
        const auto sacvar2 =
            main.execute(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = :NAO, ENDERECO_LPT = :LPT, "
                                        "CatracaWireless = :RELAY, Tec12USB = :NAO"),
                         {{QStringLiteral(":NAO"), QStringLiteral("Não")},
                          {QStringLiteral(":LPT"), QString::fromLatin1(on ? "" : "378")},
                          {QStringLiteral(":RELAY"), QLatin1String(kDemoRelayAddress)}});
        if (!sacvar2.ok()) {
            return sacvar2.error();
        }
        return store::Status::success();
    });
}

} // namespace orvalen::demo
