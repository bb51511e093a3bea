#pragma once

#include <QString>

namespace orvalen::store {

// Where errors that no handler catches go: the application's exception log. Nothing is
// shown on screen; the operation that raised the error stops where it was.
class ErrorLog {
public:
    virtual ~ErrorLog() = default;
    virtual void record(const QString& message) = 0;
};

} // namespace orvalen::store
