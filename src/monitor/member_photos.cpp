#include "monitor/member_photos.h"

#include "store/people_lookups.h"

#include <QBuffer>
#include <QImage>

namespace orvalen::monitor {

namespace {

constexpr int kSide = 96;

} // namespace

store::Result<QByteArray> scaledPhoto(const store::ClubConnection& connection, const QString& kind,
                                      const QString& number) {
    const store::PeopleLookups people(connection);
    const auto photo = kind == QLatin1String("funcionario") ? people.employeePhoto(number)
                                                            : people.studentPhoto(number);
    if (!photo.ok())
        return photo.error();
    if (!photo->found || photo->isNull || photo->bytes.isEmpty())
        return QByteArray();
    const QImage image = QImage::fromData(photo->bytes);
    if (image.isNull())
        return QByteArray();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.scaled(kSide, kSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .save(&buffer, "JPEG", 85);
    return jpeg;
}

} // namespace orvalen::monitor
