#pragma once

#include "terminal/log_writer.h"
#include "terminal/rules/reasons.h"

#include <QString>

namespace orvalen::terminal {

// Where a text appears on the terminal screen.
enum class Place { StatusPanel, InformationPanel, NameLabel, MessageBox };

// Told of everything a person at the turnstile would see or get; the headless
// identification prints it. Every member does nothing unless overridden.
class ScreenObserver {
public:
    virtual ~ScreenObserver() = default;
    virtual void shown(Place, const QString& /*text*/) {}
    virtual void rowWritten(const LogRow&) {}
    virtual void releaseRequested() {}
    // A check the decision made, with its facts, in the order they were made.
    virtual void checked(const rules::Check&) {}
};

} // namespace orvalen::terminal
