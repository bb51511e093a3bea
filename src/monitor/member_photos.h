#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QByteArray>
#include <QString>

namespace orvalen::monitor {

// The photo of a member ("aluno") or employee ("funcionario") for the page: scaled down to
// fit the feed's 96 pixels square and encoded as JPEG; empty when the person has no photo
// or it does not decode (the page shows the placeholder then). An unreadable table is an
// error.
store::Result<QByteArray> scaledPhoto(const store::ClubConnection& connection, const QString& kind,
                                      const QString& number);

} // namespace orvalen::monitor
