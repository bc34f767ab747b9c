#include "documentrenderer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);

// An exact decimal the Italian way, with its thousands grouped: "1.936,27".
QString italian(const QString& cForm)
{
    const qsizetype point = cForm.indexOf(u'.');
    const QString whole = point < 0 ? cForm : cForm.left(point);
    const bool negative = whole.startsWith(u'-');
    QString grouped = negative ? whole.mid(1) : whole;
    for (qsizetype i = grouped.size() - 3; i > 0; i -= 3)
        grouped.insert(i, Italian.groupSeparator());
    return (negative ? QStringLiteral("-") : QString()) + grouped
           + (point < 0 ? QString() : Italian.decimalPoint() + cForm.mid(point + 1));
}

QString amount(Money m)
{
    return italian(m.toString());
}

// Whole quantities without decimals, others as they are ("2,5").
QString quantity(Decimal q)
{
    return italian(q.toString(0));
}

// The unit price with which the row's amount holds: as many decimals as that needs, two at least.
QString price(Decimal p)
{
    return italian(p.toString(2));
}

QString percent(Decimal p)
{
    return p.isZero() ? QString() : italian(p.toString(0));
}

QString date(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString joined(const QStringList& parts, const QString& separator)
{
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    return kept.join(separator);
}

QString placeLine(const QString& postalCode, const QString& town, const QString& province)
{
    return joined({postalCode, town, province.isEmpty() ? QString() : QStringLiteral("(%1)").arg(province)}, QStringLiteral(" "));
}

// The columns of the rows' table, as fractions of the text width.
struct Column
{
    const char* heading;
    double width;
    Qt::Alignment align;
};
const Column Columns[] = {
    {"Codice", 0.10, Qt::AlignLeft},  {"Descrizione", 0.38, Qt::AlignLeft}, {"UM", 0.05, Qt::AlignLeft},
    {"Quantità", 0.09, Qt::AlignRight}, {"Prezzo", 0.11, Qt::AlignRight},  {"Sc. %", 0.06, Qt::AlignRight},
    {"Importo", 0.14, Qt::AlignRight}, {"IVA", 0.07, Qt::AlignRight},
};
constexpr int ColumnCount = int(std::size(Columns));
constexpr int DescriptionColumn = 1;

// Paints (or, dry, only measures) the parts of the pages. Every part takes the top it starts
// at and returns where it ends, so that measuring and painting cannot disagree.
class PagePainter
{
public:
    PagePainter(const PrintableDocument& doc, QPagedPaintDevice* device)
        : m_doc(doc), m_device(device), m_normal(QStringLiteral("DejaVu Sans"), 8), m_metrics(m_normal, device)
    {
        m_dotsPerMm = device->logicalDpiY() / 25.4;
        const qreal margin = mm(10);
        m_area = QRectF(margin, margin, device->width() - 2 * margin, device->height() - 2 * margin);
        const QString family = QStringLiteral("DejaVu Sans");
        m_bold = QFont(family, 8, QFont::Bold);
        m_small = QFont(family, 7);
        m_name = QFont(family, 12, QFont::Bold);
        m_title = QFont(family, 14, QFont::Bold);
        m_line = m_metrics.lineSpacing();
        qreal x = m_area.left();
        for (const Column& c : Columns) {
            m_columns << QRectF(x, 0, c.width * m_area.width(), 0);
            x += c.width * m_area.width();
        }
        m_columnGap = mm(1);
    }

    // Every rule and frame is drawn with one thin black pen.
    void begin(QPainter* painter)
    {
        m_painter = painter;
        m_painter->setPen(QPen(Qt::black, mm(0.2)));
    }
    qreal mm(double millimetres) const { return millimetres * m_dotsPerMm; }
    qreal top() const { return m_area.top(); }
    // Where the rows of a page must end, leaving room for the footer.
    qreal bodyBottom() const { return m_area.bottom() - m_line * 2; }

    // The first page's header: company and document, counterpart, transport.
    qreal firstHeader(qreal y, bool paint)
    {
        const CompanyBlock& c = m_doc.company;
        qreal left = m_area.left();
        qreal companyBottom = y;
        const QImage logo = c.logoPath.isEmpty() ? QImage() : QImage(c.logoPath);
        if (!logo.isNull()) {
            const QSizeF box(mm(35), mm(22));
            QSizeF size = logo.size().scaled(box.toSize(), Qt::KeepAspectRatio);
            if (paint)
                m_painter->drawImage(QRectF(QPointF(left, y), size), logo);
            companyBottom = y + size.height();
            left += box.width() + mm(4);
        }
        const qreal half = m_area.left() + m_area.width() * 0.58;
        qreal cy = text(left, y, half - left, m_name, c.name, paint);
        const QStringList lines = {
            c.address,
            placeLine(c.postalCode, c.town, c.province),
            joined({c.phone.isEmpty() ? QString() : QStringLiteral("Tel. ") + c.phone,
                    c.fax.isEmpty() ? QString() : QStringLiteral("Fax ") + c.fax}, QStringLiteral(" - ")),
            joined({c.vatNumber.isEmpty() ? QString() : QStringLiteral("P.IVA ") + c.vatNumber,
                    c.fiscalCode.isEmpty() ? QString() : QStringLiteral("C.F. ") + c.fiscalCode}, QStringLiteral(" - ")),
            c.chamberNumber.isEmpty() ? QString()
                                      : joined({QStringLiteral("C.C.I.A.A."), c.chamberPlace, QStringLiteral("n. ") + c.chamberNumber},
                                               QStringLiteral(" ")),
        };
        for (const QString& line : lines)
            if (!line.isEmpty())
                cy = text(left, cy, half - left, m_normal, line, paint);
        companyBottom = std::max(companyBottom, cy);

        qreal ty = text(half, y, m_area.right() - half, m_title, m_doc.title, paint, Qt::AlignRight);
        ty = text(half, ty, m_area.right() - half, m_bold,
                  QStringLiteral("N. %1 del %2").arg(m_doc.number, date(m_doc.date)), paint, Qt::AlignRight);

        y = std::max(companyBottom, ty) + mm(4);
        y = counterpart(half, y, paint);
        if (m_doc.showTransport)
            y = transport(y, paint);
        return y + mm(2);
    }

    // The header of the following pages: one line naming the company and the document.
    qreal pageHeader(qreal y, bool paint)
    {
        const qreal half = m_area.left() + m_area.width() / 2;
        text(m_area.left(), y, half - m_area.left(), m_bold, m_doc.company.name, paint);
        y = text(half, y, m_area.right() - half, m_bold,
                 QStringLiteral("%1 N. %2 del %3").arg(m_doc.title, m_doc.number, date(m_doc.date)), paint, Qt::AlignRight);
        rule(y + mm(0.5), paint);
        return y + mm(2);
    }

    qreal headings(qreal y, bool paint)
    {
        if (paint) {
            m_painter->setFont(m_bold);
            for (int i = 0; i < ColumnCount; ++i)
                cell(i, y, QString::fromUtf8(Columns[i].heading));
        }
        y += m_line;
        rule(y, paint);
        return y + mm(1);
    }

    qreal rowHeight(const DocumentRow& r) const
    {
        const qreal width = m_columns[DescriptionColumn].width() - m_columnGap;
        if (m_metrics.horizontalAdvance(r.description) <= width)
            return m_line;
        return std::max(m_line, m_metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, r.description).height());
    }

    void row(const DocumentRow& r, qreal y)
    {
        m_painter->setFont(m_normal);
        cell(0, y, r.article);
        const QRectF d = m_columns[DescriptionColumn];
        m_painter->drawText(QRectF(d.left(), y, d.width() - m_columnGap, 1e6), Qt::TextWordWrap | Qt::AlignLeft, r.description);
        cell(2, y, r.unit);
        cell(3, y, r.quantity ? quantity(*r.quantity) : QString());
        cell(4, y, r.amounts.priced ? price(r.amounts.unitPriceEuro) : QString());
        cell(5, y, percent(r.discount));
        cell(6, y, amount(r.amounts.amount.euro));
        cell(7, y, r.vatCode);
    }

    // The closing part: VAT summary, totals, payment and notes.
    qreal closing(qreal y, bool paint)
    {
        y += mm(2);
        rule(y, paint);
        y += mm(2);
        const PrintableDocument& d = m_doc;
        const qreal w = m_area.width();
        const qreal x = m_area.left();
        if (d.totals.hasTaxBreakdown && !d.vatSummary.isEmpty()) {
            y = text(x, y, w, m_bold, QStringLiteral("Riepilogo I.V.A."), paint);
            const double widths[] = {0.10, 0.40, 0.12, 0.19, 0.19};
            const QStringList heads = {"Codice", "Descrizione", "Aliquota %", "Imponibile €", "Imposta €"};
            y = tableLine(y, widths, heads, m_bold, paint);
            for (const VatTotals& v : d.vatSummary) {
                const QString description = v.nature.isEmpty() ? v.description : joined({v.description, v.nature}, QStringLiteral(" - "));
                y = tableLine(y, widths,
                              {v.code, description, italian(v.rate.rounded(2).toString(2)), amount(v.taxable.euro),
                               amount(v.tax.euro)},
                              m_normal, paint);
            }
            y += mm(2);
        }
        const qreal boxLeft = x + w * 0.55;
        const qreal boxWidth = w * 0.45;
        const bool lira = d.company.liraBase();
        auto total = [&](const QString& label, Money value, const QFont& font) {
            text(boxLeft, y, boxWidth * 0.6, font, label, paint);
            y = text(boxLeft + boxWidth * 0.6, y, boxWidth * 0.4, font, amount(value), paint, Qt::AlignRight);
        };
        if (d.totals.hasTaxBreakdown) {
            total(QStringLiteral("Totale imponibile €"), d.totals.taxable.euro, m_normal);
            total(QStringLiteral("Totale I.V.A. €"), d.totals.tax.euro, m_normal);
        }
        total(QStringLiteral("Totale documento €"), d.totals.total.euro, m_bold);
        if (lira) {
            if (d.totals.hasTaxBreakdown) {
                total(QStringLiteral("Totale imponibile Lire"), d.totals.taxable.lire, m_normal);
                total(QStringLiteral("Totale I.V.A. Lire"), d.totals.tax.lire, m_normal);
            }
            total(QStringLiteral("Totale documento Lire"), d.totals.total.lire, m_bold);
        }
        y += mm(2);
        if (d.payment) {
            const PaymentTerm& p = *d.payment;
            const QString term = joined({p.code, p.description}, QStringLiteral(" - "));
            const QString method = joined({p.method, p.methodDescription}, QStringLiteral(" - "));
            y = text(x, y, w, m_normal,
                     QStringLiteral("Pagamento: ") + joined({term, method.isEmpty() ? QString() : QStringLiteral("(%1)").arg(method)},
                                                            QStringLiteral(" ")),
                     paint);
            for (const Instalment& i : d.instalments)
                y = text(x + mm(4), y, w, m_normal, QStringLiteral("Scadenza %1   € %2").arg(date(i.due), amount(i.amountEuro)), paint);
        }
        if (!d.notes.isEmpty())
            y = text(x, y + mm(1), w, m_normal, QStringLiteral("Note: ") + d.notes, paint);
        return y;
    }

    void footer(int page, int pages)
    {
        const qreal y = m_area.bottom() - m_line;
        rule(y - mm(0.5), true);
        const CompanyBlock& c = m_doc.company;
        text(m_area.left(), y, m_area.width() * 0.7, m_small,
             joined({c.name, c.vatNumber.isEmpty() ? QString() : QStringLiteral("P.IVA ") + c.vatNumber}, QStringLiteral(" - ")),
             true);
        text(m_area.left(), y, m_area.width(), m_small, QStringLiteral("Pagina %1 di %2").arg(page).arg(pages), true,
             Qt::AlignRight);
    }

private:
    qreal counterpart(qreal left, qreal y, bool paint)
    {
        const PartyBlock& p = m_doc.counterpart;
        const qreal width = m_area.right() - left;
        qreal by = text(left + mm(2), y + mm(1), width, m_small,
                        m_doc.supplierCounterpart ? QStringLiteral("Fornitore") : QStringLiteral("Spett.le"), paint);
        by = text(left + mm(2), by, width - mm(4), m_bold, p.name, paint);
        const QStringList lines = {
            p.address, placeLine(p.postalCode, p.town, p.province),
            p.country.compare(QLatin1String("IT"), Qt::CaseInsensitive) == 0 ? QString() : p.country,
            p.vatNumber.isEmpty() ? QString() : QStringLiteral("P.IVA ") + p.vatNumber,
            p.fiscalCode.isEmpty() ? QString() : QStringLiteral("C.F. ") + p.fiscalCode,
            p.code.isEmpty() ? QString() : QStringLiteral("Codice ") + p.code,
        };
        for (const QString& line : lines)
            if (!line.isEmpty())
                by = text(left + mm(2), by, width - mm(4), m_normal, line, paint);
        by += mm(1);
        if (paint)
            m_painter->drawRect(QRectF(left, y, width, by - y));
        return by + mm(3);
    }

    qreal transport(qreal y, bool paint)
    {
        const TransportData& t = m_doc.transport;
        const auto pair = [](const char* label, const QString& value) {
            return value.isEmpty() ? QString() : QString::fromUtf8(label) + QStringLiteral(": ") + value;
        };
        const QString carrier1 = joined({t.carrier1, t.carrier1Notes}, QStringLiteral(" - "));
        const QString carrier2 = joined({t.carrier2, t.carrier2Notes}, QStringLiteral(" - "));
        const QStringList lines = {
            joined({pair("Causale del trasporto", t.reason), pair("Aspetto dei beni", t.appearance),
                    pair("N. colli", t.packages ? QString::number(*t.packages) : QString()),
                    pair("Peso kg", t.weightKg ? Italian.toString(*t.weightKg, 'f', 2) : QString())},
                   QStringLiteral("    ")),
            joined({pair("Porto", t.porto), pair("Trasporto a cura", t.aCura), pair("Data consegna", date(t.deliveryDate)),
                    pair("Ora consegna", t.deliveryTime)},
                   QStringLiteral("    ")),
            joined({pair("Vettore", carrier1), pair("2° Vettore", carrier2)}, QStringLiteral("    ")),
        };
        y = text(m_area.left(), y, m_area.width(), m_bold, QStringLiteral("Dati del trasporto"), paint);
        for (const QString& line : lines)
            if (!line.isEmpty())
                y = text(m_area.left(), y, m_area.width(), m_normal, line, paint);
        return y + mm(2);
    }

    qreal tableLine(qreal y, const double* widths, const QStringList& cells, const QFont& font, bool paint)
    {
        qreal x = m_area.left();
        qreal bottom = y + m_line;
        for (int i = 0; i < cells.size(); ++i) {
            const qreal w = widths[i] * m_area.width();
            bottom = std::max(bottom, text(x, y, w - m_columnGap, font, cells[i], paint, i >= 2 ? Qt::AlignRight : Qt::AlignLeft));
            x += w;
        }
        return bottom;
    }

    // One line of a column of the rows' table, in the painter's font.
    void cell(int column, qreal y, const QString& value)
    {
        if (value.isEmpty())
            return;
        const QRectF& c = m_columns[column];
        m_painter->drawText(QRectF(c.left(), y, c.width() - m_columnGap, m_line),
                            Qt::TextSingleLine | Columns[column].align | Qt::AlignTop, value);
    }

    // Wrapped text in a box of the given width; returns the bottom of the text.
    qreal text(qreal x, qreal y, qreal width, const QFont& font, const QString& value, bool paint,
               Qt::Alignment align = Qt::AlignLeft)
    {
        if (value.isEmpty())
            return y;
        const QRectF box(x, y, width, 1e6);
        const int flags = int(Qt::TextWordWrap | align | Qt::AlignTop);
        const QRectF used = QFontMetricsF(font, m_device).boundingRect(box, flags, value);
        if (paint) {
            m_painter->setFont(font);
            m_painter->drawText(box, flags, value);
        }
        return y + used.height();
    }

    void rule(qreal y, bool paint)
    {
        if (!paint)
            return;
        m_painter->drawLine(QPointF(m_area.left(), y), QPointF(m_area.right(), y));
    }

    const PrintableDocument& m_doc;
    QPagedPaintDevice* m_device;
    QPainter* m_painter = nullptr;
    qreal m_dotsPerMm = 1;
    QRectF m_area;
    QFont m_normal;
    QFontMetricsF m_metrics;
    QFont m_bold, m_small, m_name, m_title;
    qreal m_line = 1, m_columnGap = 1;
    QVector<QRectF> m_columns;
};

// Which rows go on which page, and where the closing part goes.
struct Page
{
    int firstRow = 0, endRow = 0;
};

} // namespace

DocumentRenderer::DocumentRenderer(const PrintableDocument& document) : m_document(document) {}

bool DocumentRenderer::render(QPagedPaintDevice* device)
{
    PagePainter pages(m_document, device);

    // The pages are laid out first, so that each can say how many there are.
    const qreal bottom = pages.bodyBottom();
    const qreal firstTop = pages.headings(pages.firstHeader(pages.top(), false), false);
    const qreal otherTop = pages.headings(pages.pageHeader(pages.top(), false), false);
    QVector<Page> layout{{0, 0}};
    QVector<qreal> heights;
    heights.reserve(m_document.rows.size());
    qreal y = firstTop;
    for (int i = 0; i < m_document.rows.size(); ++i) {
        const qreal h = pages.rowHeight(m_document.rows[i]);
        heights << h;
        if (y + h > bottom && layout.last().endRow > layout.last().firstRow) {
            layout.append({i, i});
            y = otherTop;
        }
        y += h;
        layout.last().endRow = i + 1;
    }
    const qreal closingHeight = pages.closing(0, false);
    const bool closingApart = y + closingHeight > bottom;
    if (closingApart)
        layout.append({int(m_document.rows.size()), int(m_document.rows.size())});
    m_pageCount = int(layout.size());

    QPainter painter;
    if (!painter.begin(device))
        return false;
    pages.begin(&painter);
    for (int p = 0; p < layout.size(); ++p) {
        if (p > 0 && !device->newPage())
            return false;
        qreal top = p == 0 ? pages.firstHeader(pages.top(), true) : pages.pageHeader(pages.top(), true);
        // A page that only closes the document has no rows to head.
        if (p == 0 || layout[p].endRow > layout[p].firstRow)
            top = pages.headings(top, true);
        for (int i = layout[p].firstRow; i < layout[p].endRow; ++i) {
            pages.row(m_document.rows[i], top);
            top += heights[i];
        }
        if (p == layout.size() - 1)
            pages.closing(top, true);
        pages.footer(p + 1, m_pageCount);
    }
    return painter.end();
}
