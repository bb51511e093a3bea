#pragma once

#include "store/error_log.h"

#include <QString>

namespace orvalen::app {

// Appends each error with its time to the exception log file.
class FileErrorLog : public store::ErrorLog {
public:
    explicit FileErrorLog(QString path) : path_(std::move(path)) {}
    void record(const QString& message) override;

private:
    QString path_;
};

} // namespace orvalen::app
