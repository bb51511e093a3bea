#include "terminal/services/device_turnstile_outputs.h"

#include "hardware/bit_operations.h"
#include "hardware/lpt_byte.h"
#include "hardware/simulated_converter.h"

#include <variant>

namespace orvalen::terminal {

namespace {

using hardware::RelayOutcome;
using hardware::RelaySwitch;

constexpr std::uint8_t kOutputRegister = 0;
constexpr std::uint8_t kReadBackRegister = 1;
constexpr std::uint8_t kTurnstileBit = 1;
constexpr int kRelayOffAttempts = 4;
constexpr int kRelayOffInterval = 1000;

const QString kSimulatedConverter = QStringLiteral("simulated");
const QString kRelayUnreachable = QStringLiteral("Catraca desligada ou problema no Roteador!");

std::unique_ptr<hardware::ConverterDriver> converterFor(const store::LocalSettings& local) {
    if (local.converterDevice == kSimulatedConverter) {
        return std::make_unique<hardware::SimulatedConverter>();
    }
    return std::make_unique<hardware::SystemConverterDriver>();
}

QString iniFile(const store::LocalSettings& local) {
    return local.filePath(QStringLiteral("terminal.ini"));
}

QString relayNoAnswer(const QString& address, const QString& error) {
    return QStringLiteral("the turnstile relay %1 (Sacvar2.CatracaWireless) took the request but "
                          "did not answer within %2 ms: %3; check the relay's power and firmware")
        .arg(address)
        .arg(hardware::WifiRelay::kTimeoutMilliseconds)
        .arg(error);
}

} // namespace

DeviceTurnstileOutputs::DeviceTurnstileOutputs(store::LocalSettings local, Pump& pump, RtsPort& rts,
                                               std::unique_ptr<hardware::ConverterDriver> converter,
                                               std::unique_ptr<hardware::PortSystemCalls> portCalls)
    : local_(std::move(local)), pump_(pump), rts_(rts),
      converter_(converter ? std::move(converter) : converterFor(local_)),
      portCalls_(portCalls ? std::move(portCalls) : std::make_unique<hardware::SystemPortCalls>()),
      parallel_(*portCalls_) {}

DeviceTurnstileOutputs::~DeviceTurnstileOutputs() {
    release();
}

OutputPreparation DeviceTurnstileOutputs::prepare(const TurnstileSettings& settings) {
    if (settings.tipoRoleta != QLatin1String("R")) {
        return {};
    }
    const rules::TurnstileChoice choice = rules::chooseTurnstileOutput(settings);
    const auto* target = std::get_if<TurnstileTarget>(&choice);
    if (target == nullptr) {
        return {}; // no turnstile ("NADA")
    }
    switch (target->kind) {
    case TurnstileOutputKind::Converter:
        return prepareConverter(settings.roleta);
    case TurnstileOutputKind::ParallelPort:
        try {
            writeParallel(target->portAddress, 0);
        } catch (const TurnstileDeviceError& error) {
            OutputPreparation prepared;
            prepared.deviceProblem = QString::fromStdString(error.what());
            parallelProblemReported_ = prepared.deviceProblem;
            return prepared;
        }
        return {};
    case TurnstileOutputKind::WifiRelay: {
        const hardware::RelayResult off = relay().send(target->relayAddress, RelaySwitch::Off);
        OutputPreparation prepared;
        if (off.outcome == RelayOutcome::TimedOut) {
            prepared.avisoText = QStringLiteral("Problema na roleta !");
            prepared.avisoDetail = kRelayUnreachable;
        } else if (off.outcome == RelayOutcome::ReceiveFailed) {
            prepared.deviceProblem = relayNoAnswer(target->relayAddress, off.error);
        }
        return prepared;
    }
    case TurnstileOutputKind::SerialRts:
        break;
    }
    return {};
}

OutputPreparation DeviceTurnstileOutputs::prepareConverter(const QString& roleta) {
    if (converterHandle_ != hardware::kInvalidConverterHandle) {
        converter_->close(converterHandle_); // a second start-up without a release between
    }
    const QString path = local_.deviceForConverter(roleta);
    QString why;
    converterHandle_ = hardware::AbreConversor(*converter_, path, &why);
    OutputPreparation prepared;
    if (converterHandle_ == hardware::kInvalidConverterHandle) {
        prepared.avisoText = QStringLiteral("Dado INCORRETO !");
        prepared.avisoDetail =
            QStringLiteral("A porta ") + roleta + QStringLiteral(" está em uso ou não existe.");
        prepared.closeScreen = true;
        prepared.deviceProblem =
            QStringLiteral("the USB-to-parallel converter %1 (Sacvar.ROLETA) is the device %2 "
                           "([devices] converter= in %3), which cannot be opened: %4; check "
                           "that it is plugged in and that the terminal's user may read and "
                           "write it")
                .arg(roleta, path, iniFile(local_), why);
        return prepared;
    }
    if (!hardware::TestaConversor(*converter_, converterHandle_)) {
        prepared.avisoText = QStringLiteral("Dado INCORRETO !");
        prepared.avisoDetail = QStringLiteral("A porta ") + roleta +
                               QStringLiteral(" não é válida com o conversor 1P-USB!");
        prepared.closeScreen = true;
        prepared.deviceProblem =
            QStringLiteral("the device %1 named for the converter %2 ([devices] converter= in "
                           "%3) does not answer as a USB-to-parallel converter")
                .arg(path, roleta, iniFile(local_));
        return prepared;
    }
    hardware::EscreveConversor(*converter_, converterHandle_, kOutputRegister, 0);
    return prepared;
}

PulseReport DeviceTurnstileOutputs::pulse(const TurnstileTarget& target, int pulseMilliseconds) {
    switch (target.kind) {
    case TurnstileOutputKind::Converter:
        return converterPulse(pulseMilliseconds);
    case TurnstileOutputKind::ParallelPort:
        return parallelPulse(target.portAddress, pulseMilliseconds);
    case TurnstileOutputKind::WifiRelay:
        return relayPulse(target.relayAddress, pulseMilliseconds);
    case TurnstileOutputKind::SerialRts:
        rtsPulse(target.device, pulseMilliseconds);
        return {};
    }
    return {};
}

PulseReport DeviceTurnstileOutputs::converterPulse(int pulseMilliseconds) {
    converterByte_ = hardware::LigaBit(converterByte_, kTurnstileBit);
    hardware::EscreveConversor(*converter_, converterHandle_, kOutputRegister, converterByte_);
    const std::optional<PulseReport> absentAfterOn = converterAbsent();
    if (!absentAfterOn) {
        pump_.wait(pulseMilliseconds);
    }
    // The turnstile is never left released, not even when the screen is about to close.
    converterByte_ = hardware::DesligaBit(converterByte_, kTurnstileBit);
    hardware::EscreveConversor(*converter_, converterHandle_, kOutputRegister, converterByte_);
    if (absentAfterOn) {
        return *absentAfterOn;
    }
    return converterAbsent().value_or(PulseReport{});
}

// A port that cannot be used gives no pulse; the release goes on, and the log hears of the
// problem once, not at every person, until the port works again.
PulseReport DeviceTurnstileOutputs::parallelPulse(const QString& address, int pulseMilliseconds) {
    PulseReport report;
    try {
        writeParallel(address, 255);
        pump_.wait(pulseMilliseconds);
        writeParallel(address, 0);
        parallelProblemReported_.clear();
    } catch (const TurnstileDeviceError& error) {
        const QString problem = QString::fromStdString(error.what());
        if (problem != parallelProblemReported_) {
            parallelProblemReported_ = problem;
            report.deviceProblem = problem;
        }
    }
    return report;
}

// A read-back of all zero bits (a refused read included) means the converter is gone; the
// screen shows the bits and closes.
std::optional<PulseReport> DeviceTurnstileOutputs::converterAbsent() {
    const std::uint16_t answer =
        hardware::LeConversor(*converter_, converterHandle_, kReadBackRegister);
    const QString bits = hardware::ByteParaStrBin(std::uint8_t(answer & 0xFF));
    if (bits != QLatin1String("00000000")) {
        return std::nullopt;
    }
    PulseReport report;
    report.avisoText = QStringLiteral("Problema no Conversor USB para LPT");
    report.avisoDetail = bits;
    return report;
}

void DeviceTurnstileOutputs::writeParallel(const QString& address, std::uint8_t value) {
    const QString key = store::portAddressKey(address);
    if (key.isEmpty()) {
        throw TurnstileDeviceError(
            QStringLiteral("Sacvar2.ENDERECO_LPT \"%1\" is not a port address in hexadecimal "
                           "digits (such as 378)")
                .arg(address));
    }
    const QString path = local_.deviceForParallelAddress(key);
    if (path.isEmpty()) {
        throw TurnstileDeviceError(
            QStringLiteral("no device for the parallel port at address %1 (Sacvar2.ENDERECO_LPT): "
                           "map it in %2, such as [ports] %1=/dev/parport1")
                .arg(key, iniFile(local_)));
    }
    hardware::ParallelPortDevice device;
    device.path = path;
    device.rawPort = path == local_.portOutputDevice;
    device.address = key.toUInt(nullptr, 16);
    const QString problem = parallel_.write(device, value);
    if (problem.isEmpty()) {
        return;
    }
    const QString fix =
        device.rawPort
            ? QStringLiteral("writing %1 needs root or the CAP_SYS_RAWIO capability; map the "
                             "address to a parallel-port device instead")
                  .arg(path)
            : QStringLiteral("check the device and let the terminal's user join the group lp");
    throw TurnstileDeviceError(
        QStringLiteral("the parallel port at address %1 (Sacvar2.ENDERECO_LPT, [ports] %1= in "
                       "%2) cannot be used: %3; %4")
            .arg(key, iniFile(local_), problem, fix));
}

PulseReport DeviceTurnstileOutputs::relayPulse(const QString& address, int pulseMilliseconds) {
    PulseReport report;
    const auto unreachable = [&] {
        report.information = kRelayUnreachable;
        if (showInformation_) {
            showInformation_(kRelayUnreachable);
        }
    };
    const auto noteReceiveFailure = [&](const hardware::RelayResult& result) {
        if (result.outcome == RelayOutcome::ReceiveFailed && report.deviceProblem.isEmpty()) {
            report.deviceProblem = relayNoAnswer(address, result.error);
        }
    };
    const hardware::RelayResult on = relay().send(address, RelaySwitch::On);
    if (on.outcome == RelayOutcome::TimedOut) {
        unreachable();
    }
    noteReceiveFailure(on);
    pump_.wait(pulseMilliseconds);
    // Switched off up to four times, as the relay may miss one; only a failure to send is
    // tried again, any other failure (an answer that never comes included) gives up.
    int attempt = 0;
    while (attempt < kRelayOffAttempts) {
        const hardware::RelayResult off = relay().send(address, RelaySwitch::Off);
        if (off.outcome == RelayOutcome::TimedOut) {
            unreachable();
        } else if (off.outcome != RelayOutcome::Answered) {
            noteReceiveFailure(off);
            attempt = kRelayOffAttempts;
        }
        if (attempt < kRelayOffAttempts) {
            pump_.wait(kRelayOffInterval);
            ++attempt;
        }
    }
    return report;
}

void DeviceTurnstileOutputs::rtsPulse(const QString& portName, int pulseMilliseconds) {
    try {
        rts_.open(portName);
    } catch (const std::exception& error) {
        throw TurnstileDeviceError(
            QString::fromStdString(error.what()) +
            QStringLiteral("\nthe turnstile's serial port %1 (Sacvar.ROLETA) is the device %2 "
                           "([ports] %1= in %3); let the terminal's user join the group "
                           "dialout")
                .arg(portName, local_.deviceForPort(portName), iniFile(local_)));
    }
    // The port is closed again whatever happens to the line in between.
    try {
        rts_.setRts(true);
        pump_.wait(pulseMilliseconds);
        rts_.setRts(false);
    } catch (...) {
        rts_.close();
        throw;
    }
    rts_.close();
}

void DeviceTurnstileOutputs::release() {
    if (converterHandle_ != hardware::kInvalidConverterHandle) {
        converter_->close(converterHandle_);
        converterHandle_ = hardware::kInvalidConverterHandle;
    }
    parallel_.release();
}

hardware::WifiRelay& DeviceTurnstileOutputs::relay() {
    if (!relay_) {
        relay_ = std::make_unique<hardware::WifiRelay>();
    }
    return *relay_;
}

} // namespace orvalen::terminal
