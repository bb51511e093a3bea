#include "support/fault_injector.h"

namespace orvalen::test {

const char* faultName(Fault fault) {
    switch (fault) {
    case Fault::None:
        return "none";
    case Fault::FailStatement:
        return "statement";
    case Fault::FailCommit:
        return "commit";
    case Fault::Drop:
        return "drop";
    }
    return "?";
}

FaultInjector::FaultInjector(store::ClubConnection& connection) : connection_(connection) {
    connection_.setGate(this);
}

FaultInjector::~FaultInjector() {
    connection_.setGate(nullptr);
}

void FaultInjector::arm(Fault fault, int index) {
    fault_ = fault;
    index_ = index;
    statements_.clear();
    commits_ = 0;
    fired_ = false;
    hit_.clear();
}

std::optional<store::Error> FaultInjector::beforeStatement(QSqlDatabase& database,
                                                           const QString& sql) {
    statements_ << sql;
    if (fired_ || statements_.size() != index_) {
        return std::nullopt;
    }
    if (fault_ == Fault::FailStatement) {
        fired_ = true;
        hit_ = sql;
        return store::Error{injectedText()};
    }
    if (fault_ == Fault::Drop) {
        fired_ = true;
        hit_ = sql;
        // The statement then meets a closed connection, as after a network drop.
        database.close();
    }
    return std::nullopt;
}

std::optional<store::Error> FaultInjector::beforeCommit(QSqlDatabase&) {
    ++commits_;
    if (fault_ == Fault::FailCommit && !fired_ && commits_ == index_) {
        fired_ = true;
        return store::Error{injectedText()};
    }
    return std::nullopt;
}

} // namespace orvalen::test
