#pragma once
#include "failuremessage.h"
#include "common/databaseerror.h"
#include "common/platform.h"

// Whether the user wants to try again work refused because another workstation holds the
// archive; nothing was written, and what the user typed stays on screen either way.
bool askToRetryBusyArchive(const DatabaseError& busy, const QString& title);

// Runs the work of a screen's handler; a failure of the archive is shown to the user (critical
// box with the given title) instead of escaping into the event loop. An archive held by another
// workstation is first waited for a little, then the user may try again. False when it failed.
template <typename Work>
bool reportFailures(const QString& title, Work&& work)
{
    for (;;) {
        try {
            work();
            return true;
        } catch (const DatabaseError& e) {
            if (e.kind() == DatabaseError::Kind::Busy) {
                if (askToRetryBusyArchive(e, title))
                    continue;
                return false;
            }
            Platform::instance().refuse(failureMessage(e), title);
            return false;
        }
    }
}
