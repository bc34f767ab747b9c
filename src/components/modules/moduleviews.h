#pragma once
#include "recordbrowser.h"

// The read-only views of the module components.

// The documents of a kind ("DDT", "FATVE", ...): headers with their totals in lire and euro,
// and the rows of the header picked, amounts in lire and euro; the documents can be printed.
BrowserSpec documentsView(const QString& kindCode, const QString& title,
                          DocumentVariant variant = DocumentVariant::Ordinary);
// The warehouse movements (MovMagTes) and the rows of the movement picked (MovMagRig), written
// there too; the opening stock's screen lists and writes the opening stock alone.
BrowserSpec movementsView(const QString& title, bool openingStock = false);
// The stock of each article in each warehouse, as its movements leave it.
BrowserSpec stockView(const QString& title);
// The stock valued at purchase prices, in lire and in euro.
BrowserSpec inventoryView(const QString& title);
// Sales invoices summed by customer, and by agent.
BrowserSpec salesByCustomerView(const QString& title);
BrowserSpec salesByAgentView(const QString& title);
// Sales invoices with their payment terms and amounts, by date.
BrowserSpec dueDatesView(const QString& title);
