#pragma once
#include "common/platform.h"

#include <QString>

// The computer's network name. Sign-in, record locks and the clean-up at exit must all use this
// one source so that a workstation always finds its own lock rows.
inline QString GetWorkstationName()
{
    return Platform::instance().workstationName();
}
