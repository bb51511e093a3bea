#pragma once

#include "store/connection.h"
#include "store/people_lookups.h"

#include <memory>

namespace orvalen::terminal {

// Asked when a statement of the club's connection fails: whether the connection now serves
// another database that decides the same way (the contingency copy while the club's is
// away), so that the person being decided is decided again there.
class ConnectionSwitch {
public:
    virtual ~ConnectionSwitch() = default;
    virtual bool switchToCopy(const QString& why) = 0;
};

// Where the datasets that follow the branch choice read: the club's own database, or the
// chosen unit's while a branch is in use. The student, plan, fee and class tables and the
// activity, due-date, photo, receipt and inactive-student lookups go through here, and so
// must the fingerprint template query; settings, caixa, employees and every log table stay
// on the club's own connection.
class StudentSource {
public:
    explicit StudentSource(const store::ClubConnection& own) : own_(own), ownPeople_(own) {}
    StudentSource(const StudentSource&) = delete;
    StudentSource& operator=(const StudentSource&) = delete;

    const store::ClubConnection& connection() const { return branch_ ? *branch_ : own_; }
    const store::PeopleLookups& people() const {
        return branchPeople_ ? *branchPeople_ : ownPeople_;
    }
    bool onBranch() const { return branch_ != nullptr; }

    // Moves the datasets to the unit's connection, open and checked by store::connectBranch.
    void useBranch(std::unique_ptr<store::ClubConnection> branch) {
        branchPeople_ = std::make_unique<store::PeopleLookups>(*branch);
        branch_ = std::move(branch);
    }
    // Moves them back and disconnects the unit.
    void useOwn() {
        branchPeople_.reset();
        branch_.reset();
    }

private:
    const store::ClubConnection& own_;
    store::PeopleLookups ownPeople_;
    std::unique_ptr<store::ClubConnection> branch_;
    std::unique_ptr<store::PeopleLookups> branchPeople_;
};

} // namespace orvalen::terminal
