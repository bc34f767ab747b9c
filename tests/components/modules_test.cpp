// The module components' screens: documents with their rows, movements, stock, tables.
#include "mainwindow/mainwindowfixture.h"

#include "common/jetdate.h"
#include "components/base/recordsetmodel.h"

#include <QAccessible>
#include <QTableView>

class ModuleScreens : public MainWindowTest
{
protected:
    static RecordsetModel* rows(QWidget* screen, const char* grid)
    {
        return static_cast<RecordsetModel*>(ui::find<QTableView>(screen, QString::fromLatin1(grid))->model());
    }
};

TEST_F(ModuleScreens, DeliveryNotesMovementsAndStockShowTheWarehouseArchive)
{
    QWidget* s = open("BDDT", "objddt");
    RecordsetModel* headers = rows(s, "TDBGTestate");
    RecordsetModel* details = rows(s, "TDBGRighe");
    auto* notes = ui::find<QTableView>(s, "TDBGTestate");
    ASSERT_EQ(QString::number(headers->rowCount()), one("SELECT COUNT(*) FROM DDTTes"));
    // The picked note's own rows below it, the second picked as a screen reader picks it.
    QList<int> counts;
    for (const int picked : {0, 1}) {
        SCOPED_TRACE(picked);
        picked ? void(QAccessible::queryAccessibleInterface(notes)->tableInterface()->selectRow(picked)) : notes->selectRow(picked);
        const auto of = [&](const char* column) { return headers->value(picked, QString::fromLatin1(column)); };
        const QString where = QStringLiteral(" WHERE DataReg = '%1' AND NumInt = %2")
                                  .arg(storedDate(of("DataReg")).toString(Qt::ISODate), of("NumInt").toString());
        counts << details->rowCount();
        EXPECT_EQ(QString::number(counts.last()), one("SELECT COUNT(*) FROM DDTRig" + where));
    }
    EXPECT_NE(counts[0], counts[1]);

    // A screen reader hears each grid under its own name, its shown columns under their headings
    // and every cell as written on screen, never a stored value or a hidden column.
    QStringList heard;
    for (const char* name : {"TDBGTestate", "TDBGRighe"}) {
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(ui::find<QTableView>(s, name));
        QAccessibleTableInterface* table = grid->tableInterface();
        ASSERT_TRUE(table);
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->columnDescription(c) + ": " + table->cellAt(1, c)->text(QAccessible::Name);
        heard << grid->text(QAccessible::Name) + " | " + cells.join(", ");
        EXPECT_TRUE(table->columnDescription(table->columnCount()).isEmpty() && !table->cellAt(0, table->columnCount())) << "none past the last";
    }
    const QString day = storedDate(headers->value(1, "DataReg")).toString("dd/MM/yyyy");
    EXPECT_EQ(heard, QStringList({"D.D.T. | Data Reg.: " + day + ", Numero: 1, Num. Int.: 1, Causale: VEN, Cliente: Rossi "
                                  "Ferramenta S.n.c., Totale Lire: 383.832, Totale Euro: 198,23",
                                  "Righe del Documento | Riga: 2, Articolo: ART003, Descrizione: Viti autofilettanti 4x30 "
                                  "(conf. 200 pz), U.M.: CF, Quantità: 5, Prezzo Lire: 9.800, Prezzo Euro: 5,06, Totale "
                                  "Lire: 52.920, Totale Euro: 27,33"}));

    // Moving as a screen reader does: the cell under the pointer, clicked, is the focus, selected,
    // under its heading, and found again by its place among the grid's children.
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(notes);
    QAccessibleInterface* firstDay = grid->tableInterface()->cellAt(0, 0);
    const QPoint centre = firstDay->rect().center();
    EXPECT_EQ(grid->childAt(centre.x(), centre.y()), firstDay);
    QTest::mouseClick(notes->viewport(), Qt::LeftButton, {}, notes->viewport()->mapFromGlobal(centre));
    ui::settle();
    EXPECT_EQ(grid->focusChild(), firstDay);
    EXPECT_TRUE(firstDay->state().focused && firstDay->state().selected && !firstDay->state().invisible);
    EXPECT_EQ(grid->tableInterface()->selectedRows(), QList<int>{0});
    const QAccessibleTableCellInterface* cell = grid->tableInterface()->cellAt(0, 3)->tableCellInterface();
    EXPECT_EQ(QString("%1 %2 %3 %4").arg(cell->rowIndex()).arg(cell->columnIndex()).arg(cell->columnHeaderCells().value(0)->text(QAccessible::Name))
                  .arg(cell->rowHeaderCells().value(0)->text(QAccessible::Name)), "0 3 Causale 1");
    QAccessibleInterface* heading = cell->columnHeaderCells().value(0);
    EXPECT_TRUE(grid->child(grid->indexOfChild(firstDay)) == firstDay && grid->child(grid->indexOfChild(heading)) == heading
                && firstDay->role() == QAccessible::Cell && heading->role() == QAccessible::ColumnHeader && !heading->state().focusable);
    QAccessibleTableInterface* table = grid->tableInterface();
    EXPECT_FALSE(table->selectColumn(0) || table->isColumnSelected(0) || table->unselectRow(0) || table->unselectColumn(0)
                 || table->selectRow(table->rowCount()) || grid->child(-1) || grid->child(grid->childCount()))
        << "whole rows only, none past the ends";

    // Movements, stock and inventory show as their snapshots; Esci closes a module's screen.
    press(open("BInventa", "objinventario"), "BEsci");
    EXPECT_FALSE(screen("objinventario"));
    // Rows the archive cannot give are said, and the rows grid left empty.
    program.exec("data.mdb", "ALTER TABLE DDTRig RENAME TO Altro");
    notes->selectRow(1);
    EXPECT_TRUE(platform.lastText().startsWith("Operazione non riuscita sull'archivio") && details->rowCount() == 0) << platform.lastText().toStdString();
}
