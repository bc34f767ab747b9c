#pragma once

// Screen readers read every grid (QTableView) as the user sees it: its visible columns in
// their shown order under their headings, each cell in the text its column shows ("15/12/2025",
// "126.720", "65,45"), never a stored value or a hidden column. Installed once, before the
// first grid is shown.
void useReadableGrids();
