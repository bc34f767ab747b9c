#include "wizardfixture.h"
#include "common/jetdate.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

class SourceStep : public WizardTest
{
protected:
    QTableView* grid() const { return ui::find<QTableView>(wizard, "GridRic"); }
    int rows() const { return grid()->model()->rowCount(); }
    // What the grid shows in a row under a heading.
    QString shown(int row, const QString& heading) const
    {
        QAbstractItemModel* model = grid()->model();
        for (int c = 0; c < model->columnCount(); ++c)
            if (!grid()->isColumnHidden(c) && model->headerData(c, Qt::Horizontal).toString() == heading) {
                auto* delegate = static_cast<QStyledItemDelegate*>(grid()->itemDelegateForColumn(c));
                const QVariant value = model->index(row, c).data();
                return delegate ? delegate->displayText(value, QLocale()) : value.toString();
            }
        ADD_FAILURE() << "no column " << heading.toStdString();
        return {};
    }
    // Where the text of a cell starts, as a fraction of the cell's width, when it is painted.
    double textStart(int row, const QString& heading) const
    {
        for (int c = 0; c < grid()->model()->columnCount(); ++c)
            if (!grid()->isColumnHidden(c) && grid()->model()->headerData(c, Qt::Horizontal).toString() == heading) {
                QImage cell(300, 24, QImage::Format_RGB32);
                cell.fill(Qt::white);
                QPainter painter(&cell);
                QStyleOptionViewItem option;
                option.initFrom(grid());
                option.rect = cell.rect();
                option.state |= QStyle::State_Enabled;
                const QModelIndex index = grid()->model()->index(row, c);
                grid()->itemDelegateForIndex(index)->paint(&painter, option, index);
                painter.end();
                for (int x = 0; x < cell.width(); ++x)
                    for (int y = 0; y < cell.height(); ++y)
                        if (qGray(cell.pixel(x, y)) < 128)
                            return double(x) / cell.width();
            }
        return -1;
    }
    QStringList headings() const
    {
        QStringList out;
        QHeaderView* header = grid()->horizontalHeader();
        for (int v = 0; v < header->count(); ++v) {
            const int logical = header->logicalIndex(v);
            if (!grid()->isColumnHidden(logical))
                out << grid()->model()->headerData(logical, Qt::Horizontal).toString();
        }
        return out;
    }
    void search(const QString& from, const QString& to)
    {
        ui::type(wizard, "RicDT1", from);
        ui::type(wizard, "RicDT2", to);
        ui::click(wizard, "CMDRic");
    }
};

TEST_F(SourceStep, OffersThisMonthToTheEndOfTheYearAndListsItsDocuments)
{
    addDdt({2041, 3, 1}, 2, 99);   // its customer is missing
    addDdt({2041, 2, 28}, 1, 1);
    addDdt({2041, 12, 31}, 4, 2);
    addDdt({2041, 3, 1}, 3, 1);
    addDdt({2042, 1, 1}, 5, 1);
    open();
    toStep3("Bolla di Reso", "D.D.T.");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "RicDT1")->displayText(), "01/03/2041");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "RicDT2")->displayText(), "31/12/2041");
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(shown(0, "Numero"), "2");
    EXPECT_EQ(shown(0, "Cliente"), "");
    EXPECT_EQ(shown(1, "Numero"), "3");
    EXPECT_EQ(shown(1, "Cliente"), "Rossi Ferramenta S.n.c.");
    EXPECT_EQ(shown(2, "Data Reg."), "31/12/2041");
    EXPECT_EQ(shown(2, "Totale Lire"), "193.627");
    EXPECT_GT(textStart(2, "Totale Lire"), 0.5) << "amounts line up on their units";
    EXPECT_GT(textStart(2, "Totale Euro"), 0.5);
    EXPECT_LT(textStart(1, "Cliente"), 0.2);
    EXPECT_EQ(shown(2, "Totale Euro"), "100,00");
    EXPECT_EQ(grid()->currentIndex().row(), 0);
}

TEST_F(SourceStep, NovemberStartsOnTheFirstOfNovember)
{
    platform.todayDate = QDate(2041, 11, 20);
    open();
    toStep3("Ordine Cliente", "Preventivo");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "RicDT1")->displayText(), "01/11/2041");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "RicDT2")->displayText(), "31/12/2041");
}

TEST_F(SourceStep, EmptyListCannotGoOn)
{
    addDdt({2041, 2, 10}, 1, 1);
    open();
    toStep3("Fattura Immediata", "D.D.T.");
    EXPECT_EQ(rows(), 0);
    ui::click(wizard, "CMD9");
    EXPECT_EQ(status("ErrBarRic"), "Nessun Documento da Elaborare....");
    EXPECT_EQ(wizard->CurrentPage, 4);
}

TEST_F(SourceStep, OneDayRangeAndRefusedRangesThatKeepTheList)
{
    addDdt({2041, 3, 10}, 1, 1);
    addDdt({2041, 3, 11}, 2, 1);
    addDdt({2041, 3, 11}, 3, 2);
    addDdt({2041, 3, 12}, 4, 1);
    open();
    toStep3("Bolla di Reso", "D.D.T.");
    ASSERT_EQ(rows(), 4);

    const QStringList layout = headings();
    search("11032041", "11032041");
    EXPECT_EQ(status("ErrBarRic"), "");
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(headings(), layout);
    EXPECT_EQ(shown(0, "Numero"), "2");
    EXPECT_EQ(shown(1, "Numero"), "3");

    search("12032041", "11032041");
    EXPECT_EQ(status("ErrBarRic"), "Errore : Data Inizio Richiesta > Data Fine Richiesta");
    EXPECT_EQ(focused(), "RicDT1");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "RicDT1")->selectedText(), "12/03/2041");
    EXPECT_EQ(rows(), 2);

    search("01032041", "");
    EXPECT_EQ(status("ErrBarRic"), "Errore : Data Richiesta Errata");
    EXPECT_EQ(focused(), "RicDT2");
    EXPECT_EQ(rows(), 2);

    search("32032041", "31122041");
    EXPECT_EQ(status("ErrBarRic"), "Errore : Data Richiesta Errata");
    EXPECT_EQ(focused(), "RicDT1");
    EXPECT_EQ(rows(), 2);

    // Leaving step 2 again offers the default range anew.
    ui::click(wizard, "CMD10");
    ui::click(wizard, "CMD7");
    EXPECT_EQ(status("ErrBarRic"), "");
    EXPECT_EQ(rows(), 4);
}

TEST_F(SourceStep, SummaryNamesTheChosenDocument)
{
    addDdt({2041, 3, 10}, 1, 1);
    addDdt({2041, 3, 11}, 27, 1);
    open();
    toStep3("Fattura Immediata", "D.D.T.");
    grid()->selectRow(1);
    ui::click(wizard, "CMD9");
    EXPECT_EQ(wizard->CurrentPage, 5);
    const QStringList expected = {"Documento di Partenza : ", "D.D.T.", "Del    : 11/03/2041", "Numero : 27",
                                  "Creazione del Documento :", "Fattura Immediata",
                                  "Premere 'Fine' per Elaborare , 'Indietro' per Modificare le Scelte"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(ui::text(wizard, QStringLiteral("LBL_%1").arg(i)), expected[i]) << i;
}

} // namespace
