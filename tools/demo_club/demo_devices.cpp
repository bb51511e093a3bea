#include "demo_club/demo_devices.h"

namespace orvalen::demo {

store::Status configureDemoDevices(const store::ClubConnection& main) {
    return main.inTransaction([&]() -> store::Status {
        const auto sacvar = main.execute(
            QStringLiteral("UPDATE Sacvar SET ROLETA = 'WIFI', TIPO_ROLETA = 'R', PINPAD = :PORT, "
                           "PADRAOTEC12 = 'Sim'"),
            {{QStringLiteral(":PORT"), QLatin1String(kReaderPort)}});
        if (!sacvar.ok()) {
            return sacvar.error();
        }
        const auto sacvar2 =
            main.execute(QStringLiteral("UPDATE Sacvar2 SET USB_LPT = :NAO, ENDERECO_LPT = '', "
                                        "CatracaWireless = :RELAY, Tec12USB = :NAO"),
                         {{QStringLiteral(":NAO"), QStringLiteral("Não")},
                          {QStringLiteral(":RELAY"), QLatin1String(kDemoRelayAddress)}});
        if (!sacvar2.ok()) {
            return sacvar2.error();
        }
        return store::Status::success();
    });
}

} // namespace orvalen::demo
