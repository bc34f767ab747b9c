#pragma once
#include "common/gridlayout.h"

#include <optional>

class QTableView;

// Shows a grid's model through a layout: the layout's fields in its order with its headings,
// widths and formats; fields the layout does not name are hidden. The model's horizontal
// header data must be the field names (as with QSqlQueryModel). Without a layout every field
// is shown under its own name.
void applyGridLayout(QTableView* grid, const std::optional<GridLayout>& layout);

// Fits the columns of a grid to their headings and content, the descriptive column (a
// description, a name) taking the spare width, and asks for a width that shows them all (never
// more than a screen of 1024 pixels holds). With widths from a layout the rows are not read.
void fitColumns(QTableView* grid, bool fromLayout = false);
