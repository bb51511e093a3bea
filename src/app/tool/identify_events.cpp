#include "app/tool/identify_events.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace orvalen::tool {

namespace {

QString placeName(terminal::Place place) {
    switch (place) {
    case terminal::Place::StatusPanel:
        return QStringLiteral("status panel");
    case terminal::Place::InformationPanel:
        return QStringLiteral("information panel");
    case terminal::Place::NameLabel:
        return QStringLiteral("name label");
    case terminal::Place::MessageBox:
        return QStringLiteral("message box");
    }
    return {};
}

// A column value as printed: photo bytes by their size, dates in the stored form.
QString printable(const QVariant& value) {
    if (value.isNull()) {
        return QStringLiteral("NULL");
    }
    if (value.typeId() == QMetaType::QByteArray) {
        return QStringLiteral("<%1 bytes>").arg(value.toByteArray().size());
    }
    return value.toString();
}

} // namespace

void IdentifyEvents::emitJson(const QJsonObject& object) {
    out_ << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
}

void IdentifyEvents::wait(int milliseconds) {
    now_ = now_.addMSecs(milliseconds);
    if (json_) {
        emitJson({{QStringLiteral("event"), QStringLiteral("wait")},
                  {QStringLiteral("ms"), milliseconds}});
    } else {
        out_ << "wait " << milliseconds << " ms\n";
    }
}

int IdentifyEvents::AVISO(const QString& kind, const QString& text, const QString& detail) {
    if (json_) {
        emitJson({{QStringLiteral("event"), QStringLiteral("shown")},
                  {QStringLiteral("place"), placeName(terminal::Place::MessageBox)},
                  {QStringLiteral("kind"), kind},
                  {QStringLiteral("text"), message(text, detail)}});
    } else {
        out_
            << "message box: "
            << QString(message(text, detail)).replace(QStringLiteral("\n\r"), QStringLiteral(" / "))
            << '\n';
    }
    return kind == QLatin1String("!") ? kOk : kYes;
}

void IdentifyEvents::record(const QString& message) {
    if (json_) {
        emitJson({{QStringLiteral("event"), QStringLiteral("error")},
                  {QStringLiteral("message"), message}});
    } else {
        out_ << "error logged: " << message << '\n';
    }
}

void IdentifyEvents::shown(terminal::Place place, const QString& text) {
    if (place == terminal::Place::MessageBox) {
        return; // every box is printed once, when it is shown (AVISO)
    }
    if (json_) {
        emitJson({{QStringLiteral("event"), QStringLiteral("shown")},
                  {QStringLiteral("place"), placeName(place)},
                  {QStringLiteral("text"), text}});
    } else {
        out_ << placeName(place) << ": " << text << '\n';
    }
}

void IdentifyEvents::rowWritten(const terminal::LogRow& row) {
    if (json_) {
        QJsonObject columns;
        for (const auto& [name, value] : row.columns) {
            columns.insert(name, value.isNull() ? QJsonValue() : QJsonValue(printable(value)));
        }
        emitJson({{QStringLiteral("event"), QStringLiteral("row")},
                  {QStringLiteral("table"), row.table},
                  {QStringLiteral("columns"), columns}});
        return;
    }
    QStringList columns;
    for (const auto& [name, value] : row.columns) {
        columns << name + QLatin1Char('=') + printable(value);
    }
    out_ << "row " << row.table << ": " << columns.join(QStringLiteral(", ")) << '\n';
}

void IdentifyEvents::releaseRequested() {
    if (json_) {
        emitJson({{QStringLiteral("event"), QStringLiteral("release")}});
    } else {
        out_ << "turnstile release requested\n";
    }
}

namespace {

QString outputName(const terminal::TurnstileTarget& target) {
    switch (target.kind) {
    case terminal::TurnstileOutputKind::Converter:
        return QStringLiteral("converter ") + target.device;
    case terminal::TurnstileOutputKind::ParallelPort:
        return QStringLiteral("parallel port ") + target.portAddress;
    case terminal::TurnstileOutputKind::WifiRelay:
        return QStringLiteral("relay ") + target.relayAddress;
    case terminal::TurnstileOutputKind::SerialRts:
        break;
    }
    return QStringLiteral("RTS of ") + target.device;
}

} // namespace

terminal::PulseReport IdentifyEvents::pulse(const terminal::TurnstileTarget& target,
                                            int pulseMilliseconds) {
    const QString output = outputName(target);
    if (json_) {
        emitJson({{QStringLiteral("event"), QStringLiteral("pulse")},
                  {QStringLiteral("output"), output},
                  {QStringLiteral("ms"), pulseMilliseconds},
                  {QStringLiteral("sent"), device_ != nullptr}});
    } else {
        out_ << "turnstile pulse " << pulseMilliseconds << " ms on " << output
             << (device_ != nullptr ? "\n" : " (dry run: not sent)\n");
    }
    return device_ != nullptr ? device_->pulse(target, pulseMilliseconds) : terminal::PulseReport{};
}

terminal::OutputPreparation IdentifyEvents::prepare(const terminal::TurnstileSettings& settings) {
    return device_ != nullptr ? device_->prepare(settings) : terminal::OutputPreparation{};
}

void IdentifyEvents::release() {
    if (device_ != nullptr) {
        device_->release();
    }
}

void IdentifyEvents::showInformationWith(ShowInformation show) {
    if (device_ != nullptr) {
        device_->showInformationWith(std::move(show));
    }
}

void IdentifyEvents::clearParallelPort(const QString& address) {
    if (device_ != nullptr) {
        device_->clearParallelPort(address);
    }
}

} // namespace orvalen::tool
