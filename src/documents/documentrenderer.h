#pragma once
#include "printabledocument.h"

class QPagedPaintDevice;

// Lays a document out on the pages of a paged device (a PDF writer, a printer) and paints them
// one after the other, so that a document of any length costs the memory of one page: the first
// page opens with the company's and the counterpart's blocks (and the transport data of goods
// that travel with it), every page repeats the page header and the rows' headings and ends with
// "Pagina n di m", the last one closes with the VAT summary, the totals, the payment and the
// notes. Amounts and dates are written the Italian way ("1.936,27", dd/mm/yyyy).
class DocumentRenderer
{
public:
    explicit DocumentRenderer(const PrintableDocument& document);

    // Paints every page; false when the device cannot be painted on.
    bool render(QPagedPaintDevice* device);
    int pageCount() const { return m_pageCount; }

private:
    const PrintableDocument& m_document;
    int m_pageCount = 0;
};
