#include "appglobals.h"

AppGlobals& appGlobals()
{
    static AppGlobals globals;
    return globals;
}
