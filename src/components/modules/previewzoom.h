#pragma once

class QPrintPreviewDialog;

// The print preview's zoom written and read as an Italian writes it ("54,0%", "12,5%"): Qt's
// own preview writes and reads it with a decimal point whatever the language.
void useItalianZoom(QPrintPreviewDialog* preview);
