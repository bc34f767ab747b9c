#include "platform.h"

#include <QtGlobal>

namespace {
Platform* current = nullptr;
}

Platform& Platform::instance()
{
    // The program installs its desktop platform first thing; tests install a scripted one.
    if (!current)
        qFatal("No platform installed");
    return *current;
}

void Platform::install(Platform* platform)
{
    current = platform;
}

Platform* Platform::installed()
{
    return current;
}
