// The PDF of a document with a great many rows: the pages are laid out and painted one at a time,
// so writing it must cost about what painting the same rows' text with a bare QPainter loop costs,
// and the process must stay small.
//   documentpdf_bench            10,000 rows
//   documentpdf_bench --short     2,000 rows (what the test command runs)

#include "benchmark.h"
#include "documents/documentpdf.h"
#include "documents/documentreader.h"
#include "support/programfolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr double RatioBar = 2.0;
constexpr double MemoryBarMB = 150.0;
const QDate Day{2041, 3, 5};

void fillDocument(const QString& path, int rows)
{
    const Database db = Database::open(path, ProgramFolder::connectString());
    db.execute(JetQuery("INSERT INTO FATVETes (DataReg, NumInt, Numero, idCliente, DSCli, idPagamento, idModPag, "
                        "ImponFATVELEURO, ImpostaFATVELEURO, TotFATVELEURO) VALUES (")
               << Jet::date(Day) << ", 1, 1, 2, 'Bianchi Costruzioni S.p.A.', 'RB3060', 'RB', " << Jet::number(rows)
               << ", " << Jet::number(rows / 5) << ", " << Jet::number(rows + rows / 5) << ")");
    db.execute(JetQuery("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ") << Jet::number(rows)
               << ") INSERT INTO FATVERig (DataReg, NumInt, Riga, idArticolo, Descrizione, UM, CdIva, Quantita, "
                  "PUnitEuro, ValoreLit, ValoreEuro) SELECT " << Jet::date(Day)
               << ", 1, i, 'ART' || i, printf('Articolo di prova %05d', i), 'PZ', '20', i % 7 + 1, 1.5, 2904.4, "
                  "1.5 * (i % 7 + 1) FROM n");
}

// The same rows' texts, eight to a line, drawn one line after another on A4 pages.
void bareLoop(const PrintableDocument& doc, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    const qreal line = QFontMetricsF(painter.font(), &writer).lineSpacing();
    const qreal width = writer.width() / 8.0;
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    qreal y = 0;
    for (const DocumentRow& r : doc.rows) {
        if (y + line > writer.height()) {
            writer.newPage();
            y = 0;
        }
        const QString cells[] = {r.article, r.description, r.unit, italian.toString(r.quantity.value_or(Decimal()).toDouble()),
                                 italian.toString(r.amounts.unitPriceEuro.toDouble(), 'f', 2), QString(),
                                 italian.toString(r.amounts.amount.euro.toDouble(), 'f', 2), r.vatCode};
        for (int c = 0; c < 8; ++c)
            painter.drawText(QRectF(c * width, y, width, line), Qt::AlignLeft | Qt::TextSingleLine, cells[c]);
        y += line;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool shortMode = bench::shortRun(argc, argv);
    QApplication app(argc, argv);
    const int rows = shortMode ? 2000 : 10000;
    const int rounds = shortMode ? 3 : 5;

    ProgramFolder folder;
    fillDocument(folder.dataDb(), rows);
    const Database data = Database::open(folder.dataDb(), ProgramFolder::connectString());
    const Database user = Database::open(folder.userDb(), ProgramFolder::connectString());
    const double memoryBefore = bench::peakMemoryMB();

    // Each round: the bare loop, then the document (read from the archive, laid out, painted).
    // On a shared machine the fastest round of each is its figure.
    std::vector<double> bare, written, read;
    int pages = 0;
    for (int round = 0; round < rounds; ++round) {
        std::optional<PrintableDocument> doc;
        read.push_back(bench::elapsedMs(
            [&] { doc = readPrintableDocument(data, user, "FATVE", DocumentVariant::Ordinary, Day, 1); }));
        bench::require(doc && doc->rows.size() == rows, "the document was not read");
        bare.push_back(bench::elapsedMs([&] { bareLoop(*doc, folder.file("bare.pdf")); }));
        written.push_back(bench::elapsedMs([&] { pages = writeDocumentPdf(*doc, folder.file("document.pdf")); }));
    }
    const double bareMs = bench::least(bare), writtenMs = bench::least(written), readMs = bench::least(read);
    const double ratio = writtenMs / bareMs;
    const double memory = bench::peakMemoryMB();
    std::printf("documentpdf_bench: %d rows, %d pages; PDF written in %.0f ms (document read in %.0f ms); bare QPainter "
                "loop over the same rows %.0f ms; ratio %.2f (bar %.1f)\n",
                rows, pages, writtenMs, readMs, bareMs, ratio, RatioBar);
    std::printf("documentpdf_bench: peak memory %.1f MB, %.1f MB before the first document (bar %.0f MB); PDF %.0f KB\n",
                memory, memoryBefore, MemoryBarMB, QFileInfo(folder.file("document.pdf")).size() / 1024.0);
    return bench::verdict(pages > 0 && ratio <= RatioBar && memory <= MemoryBarMB);
}
