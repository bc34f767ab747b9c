// Documents on paper and to the tax agency, from the document screens the menus open: the PDF
// read back as text, the print preview, the electronic invoice checked against the official schema.
#include "mainwindowfixture.h"

#include "components/base/recordsetmodel.h"
#include "documents/einvoicecheck.h"

#include <QtPrintSupport> // with the widgets and the core it stands on

namespace {

// The exchange system's arithmetic on an electronic invoice, worked out here from the file alone
// (its published checks 00421, 00422, 00423, 00429/00430, 00443/00444) plus the document's and
// the payments' totals; returns the number of lines seen.
int expectAcceptedArithmetic(const QByteArray& xml)
{
    struct Block { QMap<QString, double> v; QVector<QPair<QString, double>> changes; QString nature; };
    QVector<Block> lines, summaries;
    double documentTotal = 0, payments = 0;
    QString kind;
    Block* b = nullptr;
    const QStringList numbers{"NumeroLinea", "Quantita", "PrezzoUnitario", "PrezzoTotale", "AliquotaIVA",
                              "ImponibileImporto", "Imposta", "Arrotondamento"};
    for (QXmlStreamReader r(xml); !r.atEnd();) {
        r.readNext();
        const QString n = r.name().toString();
        if (r.isEndElement() && (n == "DettaglioLinee" || n == "DatiRiepilogo")) b = nullptr;
        if (!r.isStartElement()) continue;
        if (n == "DettaglioLinee" || n == "DatiRiepilogo")
            b = &(n == "DettaglioLinee" ? lines : summaries).emplace_back();
        else if (n == "ImportoTotaleDocumento" || n == "ImportoPagamento")
            (n == "ImportoPagamento" ? payments : documentTotal) += r.readElementText().toDouble();
        else if (b && n == "Tipo") kind = r.readElementText();
        else if (b && (n == "Percentuale" || n == "Importo"))
            b->changes.append({kind + n, r.readElementText().toDouble()});
        else if (b && n == "Natura") b->nature = r.readElementText();
        else if (b && numbers.contains(n)) b->v[n] = r.readElementText().toDouble();
    }
    QMap<double, double> unexplained; // per rate: summaries less roundings less lines
    for (const Block& l : lines) {
        double price = l.v["PrezzoUnitario"];
        for (const auto& [what, value] : l.changes) {
            const double change = what.endsWith("Percentuale") ? price * value / 100 : value;
            price += what.startsWith("MG") ? change : -change;
        }
        EXPECT_LT(std::abs(price * l.v.value("Quantita", 1) - l.v["PrezzoTotale"]), 0.01 - 1e-9)
            << "00423, line " << l.v["NumeroLinea"] << ": " << price << " × " << l.v.value("Quantita", 1);
        EXPECT_TRUE(std::any_of(summaries.begin(), summaries.end(), [&](const Block& s) {
            return s.v["AliquotaIVA"] == l.v["AliquotaIVA"] && s.nature == l.nature;
        })) << "00443/00444, line " << l.v["NumeroLinea"];
        unexplained[l.v["AliquotaIVA"]] -= l.v["PrezzoTotale"];
    }
    double summed = 0;
    for (const Block& s : summaries) {
        const double tax = std::floor(s.v["AliquotaIVA"] * s.v["ImponibileImporto"] + 0.5 + 1e-7) / 100;
        EXPECT_LT(std::abs(tax - s.v["Imposta"]), 0.01 - 1e-9) << "00421 at " << s.v["AliquotaIVA"];
        EXPECT_EQ(s.v["AliquotaIVA"] == 0, !s.nature.isEmpty()) << "00429/00430";
        unexplained[s.v["AliquotaIVA"]] += s.v["ImponibileImporto"] - s.v["Arrotondamento"];
        summed += s.v["ImponibileImporto"] + s.v["Imposta"];
    }
    for (auto it = unexplained.cbegin(); it != unexplained.cend(); ++it)
        EXPECT_LT(std::abs(it.value()), 1.0) << "00422 at " << it.key();
    EXPECT_NEAR(documentTotal, summed, 1e-6);
    EXPECT_NEAR(payments, documentTotal, 1e-6);
    return int(lines.size());
}

} // namespace

class DocumentOutput : public MainWindowTest
{
protected:
    // Standard output of a command, the schemas found through the program's catalog; the exit code where asked.
    QString run(const QString& command, const QStringList& args, int* exitCode = nullptr) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XML_CATALOG_FILES", program.file("catalog.xml"));
        p.setProcessEnvironment(env);
        p.start(command, args);
        p.waitForFinished(120000);
        if (exitCode) *exitCode = p.exitCode();
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    }

    // Opens a documents screen through its menu command, picks the document of that number and presses one of the
    // screen's buttons; the file the message then names on its second line ("...:\r<path>\r\rAprire ...?").
    QString pick(const char* tool, const char* screenName, qint32 numInt, const char* button)
    {
        QWidget* s = open(tool, screenName);
        auto* grid = ui::find<QTableView>(s, "TDBGTestate");
        auto* rows = static_cast<RecordsetModel*>(grid->model());
        for (int r = 0; r < rows->rowCount(); ++r)
            if (rows->value(r, "NumInt").toInt() == numInt) grid->selectRow(r);
        press(s, button);
        return platform.lastText().split(u'\r').value(1);
    }

    QString documents() const { return program.file("Documenti"); }
    // The rules and frames of each page as another reader draws them, their ends to the point; then
    // the box of each line of text, which its font, size and alignment decide.
    QString drawing(const QString& pdf) const
    {
        static const QRegularExpression stroked(R"re(^<page>|^<path style="fill:none;stroke-width:([\d.]+);.*?stroke:(rgb\([^)]*\)).*? d="([^"]*)")re");
        static const QRegularExpression boxed(R"re(<line xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
        QStringList lines{"--- disegno"};
        for (const QString& line : run("pdftocairo", {"-svg", pdf, "-"}).split(u'\n'))
            if (const QRegularExpressionMatch m = stroked.match(line); m.hasMatch()) {
                QStringList points = m.captured(3).split(u' ', Qt::SkipEmptyParts);
                for (QString& p : points)
                    if (bool number = false; p.toDouble(&number), number)
                        p = QString::number(qRound(p.toDouble() * 0.24));
                lines << (m.captured(1).isEmpty() ? "pagina" : m.captured(1).left(4) + " " + m.captured(2) + " " + points.join(u' '));
            }
        for (const QRegularExpressionMatch& m : boxed.globalMatch(run("pdftotext", {"-bbox-layout", "-l", "2", pdf, "-"})))
            lines << QString("testo %1 %2 %3 %4").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble()))
                         .arg(qRound(m.captured(3).toDouble())).arg(qRound(m.captured(4).toDouble()));
        return lines.join(u'\n') + u'\n';
    }

    // Sales invoice no. 3 typed as a clerk types it: customer C002, two hammers, dated 31/12.
    void typeInvoice()
    {
        openActive("BFATVE", "objFATVE");
        startDocument("C002");
        typeKeys("ART001");
        tabs(3);
        typeKeys("2");
        key(Qt::Key_Return);
        key(Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(messages(), QStringList());
    }
};

TEST_F(DocumentOutput, ThePdfHoldsEveryRowTheVatSummaryTheTotalsAndThePageCount)
{
    typeInvoice();
    // A document of 1,000 rows, 5,000 lire each at 20%.
    Database db = dataDb();
    db.execute(JetQuery("INSERT INTO FATVETes (DataReg, NumInt, Numero, idCliente, DSCli, idPagamento, idModPag, "
                        "ImponFATVELire, ImponFATVELEURO, ImpostaFATVELire, ImpostaFATVELEURO, TotFATVELire, TotFATVELEURO) "
                        "VALUES ('2026-03-31', 900, 900, 3, 'Edilnova S.r.l.', 'RB3060', NULL, 1936270, 1000, 387254, 200, "
                        "2323524, 1200)"));
    db.execute(JetQuery("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
                        "INSERT INTO FATVERig (DataReg, NumInt, Riga, idArticolo, Descrizione, UM, CdIva, Quantita, "
                        "PUnitLit, ValoreLit, ValoreEuro) SELECT '2026-03-31', 900, i, 'ART' || i, "
                        "printf('Articolo di prova %04d', i), 'PZ', '20', 1, 5000, 5000, 2.58 FROM n"));
    openWindow();
    // Each prints as its snapshot (rows, VAT summary, totals, every page's header and footer); the long
    // one is paid at 30 and 60 days end of month, in no set way; the first, exported again, is replaced.
    const struct { const char *tool, *screen; qint32 number; } cases[] = {
        {"BFATVE", "objFATVE", 1}, {"BDDT", "objddt", 1}, {"BFATVE", "objFATVE", 900}, {"BORDVE", "objORDVE", 1},
        {"BPREV", "objprev", 1}, {"BRESO", "objreso", 1}, {"BFATVE", "objFATVE", 3}, {"BFATVE", "objFATVE", 1},
        {"BFATNC", "objFATNC", 1}, {"BFATND", "objFATND", 2}, {"BFATSE", "objFATSE", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const QString pdf = pick(c.tool, c.screen, c.number, "BEsportaPDF");
        EXPECT_TRUE(platform.lastText().startsWith("Documento esportato in PDF:\r")) << platform.lastText().toStdString();
        EXPECT_EQ(pdf, documents() + "/" + QFileInfo(pdf).fileName().replace(' ', '_')) << "no blanks in its name";
        EXPECT_EQ(platform.openedFolders.value(0), documents());
        // In drawing order, a description wrapped over two lines reads as one text; the font's
        // ligatures ("ﬁ") read as their letters.
        const QString raw = run("pdftotext", {"-raw", pdf, "-"}).normalized(QString::NormalizationForm_KC);
        EXPECT_EQ(snapshot::comparePrinted(QString("pdf-%1-%2").arg(c.tool).arg(c.number), raw + drawing(pdf), program.path()), QString());
    }

    // One detail of the transport alone makes an invoice one that travels with its goods.
    for (const char* detail : {"CausaleTrasp = 'Vendita'", "Aspetto = 'Sfuso'", "idVett1 = 'V01'", "Colli = 1", "PesoKG = 0.5"}) {
        program.exec("data.mdb", "UPDATE FATVETes SET CausaleTrasp = NULL, Aspetto = NULL, idVett1 = NULL, Colli = NULL, PesoKG = NULL");
        program.exec("data.mdb", QString("UPDATE FATVETes SET %1 WHERE NumInt = 3").arg(detail));
        EXPECT_TRUE(pick("BFATVE", "objFATVE", 3, "BEsportaPDF").contains("/Fattura_Accompagnatoria_3_")) << detail;
    }

    // "Stampa" shows the same pages in a preview, named and on A4 for the system's print queue; its
    // zoom is typed as an Italian writes it, and shown back with its sign.
    int previewPages = 0;
    QStringList zooms;
    ui::onNextModal([&](QWidget* preview) {
        auto* view = ui::find<QPrintPreviewWidget>(preview, QString());
        previewPages = view->pageCount();
        const QPrinter* printer = static_cast<QPrintPreviewDialog*>(preview)->printer();
        zooms << preview->objectName() + " " + preview->windowTitle() + " " + printer->docName() + " "
                     + printer->pageLayout().pageSize().name();
        QLineEdit* zoom = ui::find<QComboBox>(preview, QString())->lineEdit();
        for (const char* typed : {"150,5", "12,5%", "1,0"}) {
            zoom->setText(typed);
            QTest::keyClick(zoom, Qt::Key_Return);
            zooms << QString::number(view->zoomFactor()) + " " + zoom->text();
        }
        preview->close();
    });
    pick("BFATVE", "objFATVE", 1, "BStampa");
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(zooms, (QStringList{"AnteprimaStampa Brevano V : Anteprima di Stampa Fattura Immediata N. 1 A4", "1.505 150,5%", "0.125 12,5%", "0.01 1,0%"}));

    // A file that cannot be written (a folder holds its name) is said, and no folder offered.
    const QString written = pick("BFATVE", "objFATVE", 1, "BEsportaPDF");
    ASSERT_TRUE(QFile::remove(written) && QDir().mkdir(written));
    EXPECT_EQ(pick("BFATVE", "objFATVE", 1, "BEsportaPDF"), written);
    EXPECT_EQ(messages().last(), "MESSAGE|critical|ok|Brevano V|Impossibile scrivere il file:\\r" + written);

    // A document whose rows cannot be read is said so.
    program.exec("data.mdb", "ALTER TABLE FATVERig RENAME TO Altrove");
    pick("BFATVE", "objFATVE", 1, "BEsportaPDF");
    EXPECT_TRUE(messages().last().endsWith("Dettaglio: no such table: FATVERig")) << messages().last().toStdString();
}

TEST_F(DocumentOutput, ElectronicInvoicesPassTheOfficialSchemaUnderProgressivesNeverGivenTwice)
{
    typeInvoice();
    // A description with a line break, kept, a pasted control character, which XML cannot hold, and
    // the last letter of Latin-1, kept, before one beyond it, which the schema refuses; a VAT number
    // typed with blanks and its country's prefix, written as its digits.
    program.exec("data.mdb", "UPDATE FATVERig SET Descrizione = 'Martello da' || char(10) || 'carpentiere' || char(1) || '500 g ÿĀ' "
                             "WHERE NumInt = 3 AND Riga = 1");
    program.exec("data.mdb", "UPDATE Clienti SET Piva = 'it 076 543 200 12' WHERE Codice = 'C002'");
    const struct { const char *tool, *screen; qint32 number; } cases[] = {
        {"BFATVE", "objFATVE", 1}, {"BFATSE", "objFATSE", 2}, {"BFATNC", "objFATNC", 1}, {"BFATND", "objFATND", 2}, {"BFATVE", "objFATVE", 3}};
    const QString schema = program.file("Schema_del_file_xml_FatturaPA_v1.2.2.xsd");
    int progressive = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        const QString xml = pick(c.tool, c.screen, c.number, "BFatturaElettronica");
        EXPECT_EQ(xml, QDir(documents()).filePath(QString("IT04587210963_0000%1.xml").arg(++progressive)));
        int invalid = -1;
        const QString verdict = run("xmllint", {"--nonet", "--noout", "--schema", schema, xml}, &invalid);
        EXPECT_EQ(invalid, 0) << verdict.toStdString();
        const QByteArray content = contentOf(xml);
        EXPECT_EQ(snapshot::comparePrinted(QString("xml-%1-%2").arg(c.tool).arg(c.number), content, program.path()), QString());
        EXPECT_GT(expectAcceptedArithmetic(content), 0);
        EXPECT_EQ(eInvoiceArithmeticErrors(content), QStringList());
    }

    // The check the program runs before writing names the row and the figures of a file the
    // exchange system would reject, as the invoice no. 1 of the demo once was.
    const QByteArray written = contentOf(QDir(documents()).filePath("IT04587210963_00001.xml"));
    const auto changed = [&](const QString& from, const QString& to) { return QString(written).replace(QRegularExpression(from), to).toUtf8(); };
    const struct { const char* what; QString pattern, to; QStringList errors; } tampered[] = {
        {"a price rounded", "<PrezzoUnitario>0.61975<", "<PrezzoUnitario>0.62<",
         {"Riga 2: 200.00 × 0.62 = 124.00, ma il Prezzo Totale è 123.95 (controllo 00423)."}},
        {"a discount by amount", "(<PrezzoUnitario>0.61975</PrezzoUnitario>)",
         "\\1<ScontoMaggiorazione><Tipo>SC</Tipo><Importo>0.00005</Importo></ScontoMaggiorazione>",
         {"Riga 2: 200.00 × 0.61975 (0.6197 dopo sconti e maggiorazioni) = 123.94, ma il Prezzo Totale è 123.95 (controllo 00423)."}},
        // The system accepts a total or a tax less than a cent off.
        {"a tax one cent off", "<Imposta>39.77<", "<Imposta>39.78<",
         {"Riepilogo aliquota 20.00%: 198.84 × 20.00% = 39.77, ma l'Imposta è 39.78 (controllo 00421).",
          "Importo Totale Documento 238.61, ma imponibili e imposte sommano 238.62."}},
        {"a rounding of one euro", "(<ImponibileImporto>198.84)", "<Arrotondamento>1.00</Arrotondamento>\\1",
         {"Aliquota 20.00%: imponibile meno arrotondamenti 197.84, ma le righe sommano 198.84 (controllo 00422)."}},
        {"a nature on a taxed rate", "</AliquotaIVA>(\\s*<ImponibileImporto>)", "</AliquotaIVA><Natura>N2.2</Natura>\\1",
         {"Riepilogo aliquota 20.00% (N2.2): la Natura va indicata solo con aliquota zero (controlli 00429, 00430).",
          "Riga 1: nessun riepilogo per l'aliquota 20.00% (controlli 00443, 00444)."}},
        {"a row at a rate not summarised", "(<NumeroLinea>1<[\\s\\S]*?)<AliquotaIVA>20.00", "\\1<AliquotaIVA>10.00",
         {"Riga 1: nessun riepilogo per l'aliquota 10.00% (controlli 00443, 00444)."}}};
    for (const auto& t : tampered) {
        SCOPED_TRACE(t.what);
        EXPECT_EQ(eInvoiceArithmeticErrors(changed(t.pattern, t.to)).mid(0, t.errors.size()), t.errors);
    }

    // Pressed again on a document, it asks first, saying when and under which name the first went.
    platform.answers.enqueue(Platform::Answer::No);
    platform.answers.enqueue(Platform::Answer::Yes);
    pick("BFATVE", "objFATVE", 1, "BFatturaElettronica");
    const QString asked = platform.lastText();
    EXPECT_TRUE(asked.startsWith("La Fattura Elettronica di questo documento è già stata scritta il "
                                 + QDate::currentDate().toString("dd/MM/yyyy") + " alle ")
                && asked.contains(" come IT04587210963_00001.xml.")) << asked.toStdString();
    EXPECT_EQ(QDir(documents()).entryList({"*.xml"}).size(), progressive);
    EXPECT_EQ(pick("BFATVE", "objFATVE", 1, "BFatturaElettronica"), QDir(documents()).filePath(QString("IT04587210963_0000%1.xml").arg(++progressive)));

    // An archive that refuses to record it gets no file, and the clerk is told why.
    program.refuseWrites("data.mdb", "UPDATE", "FATVETes");
    platform.answers.enqueue(Platform::Answer::Yes);
    pick("BFATVE", "objFATVE", 1, "BFatturaElettronica");
    EXPECT_TRUE(platform.lastText().contains("disco pieno")) << platform.lastText().toStdString();
    EXPECT_EQ(QDir(documents()).entryList({"*.xml"}).size(), progressive);
    program.refuseWrites("data.mdb", "UPDATE", "FATVETes", false);

    // A pro-forma invoice is no fiscal document.
    dataDb().execute(JetQuery("UPDATE FATVETes SET TipoFattura = 'PF' WHERE NumInt = 1"));
    pick("BFATPRO", "objFATPRO", 1, "BFatturaElettronica");
    EXPECT_EQ(platform.lastText(), "La Fattura Proforma non è un documento fiscale:\rnon si emette la Fattura Elettronica.");
    EXPECT_EQ(QDir(documents()).entryList({"*.xml"}).size(), progressive);
}

// A company keeping its books in euro: discounts, several rates, a rate of nought with its nature,
// half cents; and an invoice longer than the format allows.
TEST_F(DocumentOutput, EuroInvoicesHoldTheExchangeSystemsArithmeticAndOverlongOnesAreRefused)
{
    userDb().execute(JetQuery("UPDATE Azienda SET ValutaBase = 'EUR', DecimaliBase = 2"));
    Database db = dataDb();
    db.execute(JetQuery("INSERT INTO IVA (Codice, Perc) VALUES ('22', 22)"));
    db.execute(JetQuery("INSERT INTO ModPag (Codice, [Desc], Rate, FineMese, Scad1, Scad2, Scad3, Scad4, Scad5, Scad6, Scad7, "
                        "Scad8, Scad9, Scad10, Scad11, Scad12) VALUES ('M12', 'Dodici rate', 12, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, "
                        "10, 11, 12)"));  // every instalment a due of its own
    db.execute(JetQuery("INSERT INTO FATVETes (DataReg, NumInt, Numero, idCliente, DSCli, idPagamento, idModPag) "
                        "VALUES ('2026-03-31', 901, 901, 3, 'Edilnova', 'RB3060', 'RB'), "
                        "('2026-03-31', 902, 902, 3, 'Edilnova', 'M12', 'RB'), ('2026-03-31', 903, 903, 3, 'Edilnova', 'RD', 'RB')"));
    db.execute(JetQuery("INSERT INTO FATVERig (DataReg, NumInt, Riga, Descrizione, CdIva, Quantita, PUnitEuro, Sconto, "
                        "ValoreEuro) VALUES ('2026-03-31', 901, 1, 'a', '22', 3, 12.345, 10, 0), "
                        "('2026-03-31', 901, 2, 'b', '10', 7, 4.99, 0, 0), ('2026-03-31', 901, 3, 'c', '04', 2.5, 19.99, 12.5, 0), "
                        "('2026-03-31', 901, 4, 'd', '22', 1, 0.335, 0, 0), ('2026-03-31', 902, 1, 'e', 'E15', 1, 100, 0, 0), "
                        "('2026-03-31', 902, 2, 'f', '22', 1, 1.005, 0, 0), ('2026-03-31', 902, 3, 'g', '22', 3, 1.005, 0, 0), "
                        "('2026-03-31', 902, 4, 'h', '10', 1, 2.675, 0, 0), ('2026-03-31', 902, 5, 'i', '22', 0.5, 1.005, 33.33, 0)"));
    db.execute(JetQuery("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
                        "INSERT INTO FATVERig (DataReg, NumInt, Riga, Descrizione, CdIva, Quantita, PUnitEuro, ValoreEuro) "
                        "SELECT '2026-03-31', 903, i, 'riga', '22', 1, 1, 1 FROM n"));
    openWindow();
    const QPair<qint32, QList<QByteArray>> cases[] = {
        {901, {"<PrezzoTotale>33.33</PrezzoTotale>", "<Percentuale>12.50</Percentuale>", "<ImportoTotaleDocumento>"}},
        {902, {"<PrezzoTotale>1.01</PrezzoTotale>", "<PrezzoTotale>3.02</PrezzoTotale>", "<PrezzoTotale>2.68</PrezzoTotale>",
               "<Natura>N1</Natura>"}}};
    for (const auto& [number, expected] : cases) {
        SCOPED_TRACE(number);
        const QByteArray content = contentOf(pick("BFATVE", "objFATVE", number, "BFatturaElettronica"));
        EXPECT_EQ(snapshot::comparePrinted(QString("xml-euro-%1").arg(number), content, program.path()), QString());
        EXPECT_EQ(expectAcceptedArithmetic(content), number == 901 ? 4 : 5);
        for (const QByteArray& e : expected) EXPECT_TRUE(content.contains(e)) << e.toStdString();
    }
    pick("BFATVE", "objFATVE", 903, "BFatturaElettronica");
    EXPECT_EQ(platform.lastText(), "Fattura Elettronica non creata: il documento ha 10.000 righe, il formato ne ammette "
                                   "al massimo 9.999.");
    EXPECT_EQ(QDir(documents()).entryList({"*.xml"}).size(), 2);
}

TEST_F(DocumentOutput, MissingDataIsListedFieldByFieldAndNoFileIsWritten)
{
    userDb().execute(JetQuery("UPDATE Azienda SET PIVA = NULL, Indirizzo = NULL, Localita = '', Stato = NULL, "
                              "RegimeFiscale = 'RF03'"));
    Database db = dataDb();
    db.execute(JetQuery("UPDATE Clienti SET CodiceDestinatario = NULL, PECDestinatario = NULL, idCAP1 = NULL, Localita1 = '' WHERE id = 2"));
    db.execute(JetQuery("UPDATE FATVETes SET CAP = NULL, Localita = NULL, idModPag = NULL WHERE NumInt = 1"));
    db.execute(JetQuery("UPDATE FATVERig SET CdIva = NULL WHERE NumInt = 1 AND Riga = 2"));
    // A quantity below zero is refused; zero is not (a row of description alone).
    db.execute(JetQuery("UPDATE FATVERig SET Quantita = -1 WHERE NumInt = 1 AND Riga = 1"));
    db.execute(JetQuery("UPDATE FATVERig SET Quantita = 0, CdIva = 'X99' WHERE NumInt = 2 AND Riga = 1"));
    db.execute(JetQuery("UPDATE IVA SET Natura = NULL WHERE Codice = 'E15'"));
    db.execute(JetQuery("UPDATE FATVERig SET CdIva = 'E15' WHERE NumInt = 2 AND Riga = 3"));
    openWindow();
    const QString title = "MESSAGE|critical|ok|Brevano V|Fattura Elettronica non creata. Completare i dati seguenti:\\r- ";
    const QPair<qint32, QStringList> cases[] = {
        {1, {"Azienda: Partita I.V.A.", "Azienda: Indirizzo", "Azienda: Località", "Azienda: Stato", "Azienda: Regime Fiscale",
             "Cliente C002: C.A.P.", "Cliente C002: Località", "Cliente C002: Codice Destinatario o PEC",
             "Riga 1: Quantità non negativa", "Riga 2: Codice I.V.A.", "Documento: Tipo Pagamento"}},
        {2, {"Azienda: Partita I.V.A.", "Azienda: Indirizzo", "Azienda: Località", "Azienda: Stato", "Azienda: Regime Fiscale",
             "Riga 1: Codice I.V.A. (X99 non è nella tabella I.V.A.)", "Tabella I.V.A., codice E15: Natura"}}};
    for (const auto& [number, fields] : cases) {
        SCOPED_TRACE(number);
        pick(number == 1 ? "BFATVE" : "BFATSE", number == 1 ? "objFATVE" : "objFATSE", number, "BFatturaElettronica");
        EXPECT_EQ(messages(), QStringList{title + fields.join("\\r- ")});
        platform.clear();
    }
    EXPECT_FALSE(QDir(documents()).exists() && !QDir(documents()).isEmpty());
    EXPECT_EQ(program.rows("data.mdb", "SELECT Progressivo FROM Numeratori WHERE idCodice = 'FATPA'"), QStringList());
}

// A D.D.T. exported with the keyboard alone: Ctrl+Shift+Tab leaves the list for the toolbar
// (Ctrl+Tab forwards: the screen's snapshot walk), and Esporta PDF has its key. On a machine where
// nothing opens folders, the clerk is told where the file went.
TEST_F(DocumentOutput, TheKeyboardAloneWalksOutOfAGridAndToEsportaPdf)
{
    platform.desktopOpens = false;
    ASSERT_TRUE(openActive("BDDT", "objddt"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(qobject_cast<QToolButton*>(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
    ui::settle();
    const QStringList said = messages();
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].contains("Documento esportato in PDF:")) << said[0].toStdString();
    EXPECT_EQ(said[1], "MESSAGE|information|ok|Brevano V|Impossibile aprire la Cartella dei Documenti: su questo "
                       "computer nessun programma apre le cartelle.\\rPercorso della cartella:\\r" + documents());
    press(openActive("BFATAC", "objFATAC"), "BStampa");  // an empty list has nothing to print
    EXPECT_EQ(platform.lastText(), "Selezionare un Documento.");
}
