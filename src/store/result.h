#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace orvalen::store {

// An error at an API edge: what went wrong, in words an installer can act on.
struct Error {
    QString message;
};

// A value or the error that prevented it.
template <class T> class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }
    const Error& error() const { return error_; }

private:
    std::optional<T> value_;
    Error error_;
};

// Success or the error that prevented it.
class Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error)), failed_(true) {}
    static Status success() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

private:
    Error error_;
    bool failed_ = false;
};

} // namespace orvalen::store
