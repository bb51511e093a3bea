#pragma once

#include <QByteArray>
#include <cstdlib>
#include <ctime>

namespace orvalen::test {

// The process runs in another time zone until this goes out of scope, as a terminal whose
// machine is set to the club's city does.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : had_(qEnvironmentVariableIsSet("TZ")) {
        if (had_) {
            previous_ = qgetenv("TZ");
        }
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone() {
        if (had_) {
            qputenv("TZ", previous_);
        } else {
            qunsetenv("TZ");
        }
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool had_;
    QByteArray previous_;
};

// The zones a club may run in: one without summer time, and three whose summer-time change
// falls at midnight or close to it.
inline constexpr const char* kClubTimeZones[] = {"UTC", "America/Sao_Paulo", "America/Santiago",
                                                 "Europe/Lisbon"};

} // namespace orvalen::test
