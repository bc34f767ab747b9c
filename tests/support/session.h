#pragma once
#include "common/appglobals.h"
#include "components/base/baseclass.h"
#include "components/modules/modulecomponent.h"

#include <memory>

// A signed-in user of a whole program folder, as the start-up leaves the run: the run-wide values
// in the base component, the three module components with it as their base, the globals.
struct Session
{
    Session(const QString& folder, const QString& user, const QString& workstation, bool administrator);

    std::unique_ptr<BaseClass> base;
    std::unique_ptr<WarehouseComponent> warehouse = std::make_unique<WarehouseComponent>();
    std::unique_ptr<InvoicingComponent> invoicing = std::make_unique<InvoicingComponent>();
    std::unique_ptr<PaymentsComponent> payments = std::make_unique<PaymentsComponent>();
    AppGlobals globals;
};
