#pragma once

#include "store/result.h"

#include <QString>
#include <stdexcept>

namespace orvalen::terminal {

// A database error in the middle of an identification. It ends the identification: the
// message goes to the exception log and the screen is reset for the next person.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

template <class T> T need(store::Result<T> result) {
    if (!result.ok()) {
        throw DatabaseError(result.error().message);
    }
    return std::move(result).value();
}

inline void need(const store::Status& status) {
    if (!status.ok()) {
        throw DatabaseError(status.error().message);
    }
}

} // namespace orvalen::terminal
