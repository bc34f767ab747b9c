#pragma once
#include "components/failuremessage.h"
#include "common/databaseerror.h"
#include "common/platform.h"

// Runs the work of a screen's handler; a failure of the archive is shown to the user (critical
// box with the given title) instead of escaping into the event loop. False when it failed.
template <typename Work>
bool reportFailures(const QString& title, Work&& work)
{
    try {
        work();
        return true;
    } catch (const DatabaseError& e) {
        Platform::instance().refuse(failureMessage(e), title);
        return false;
    }
}
