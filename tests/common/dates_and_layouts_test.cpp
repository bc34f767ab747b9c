#include "components/gridview.h"
#include "common/jetdate.h"
#include "common/jetquery.h"

#include <QFile>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(TypedDates, DayFirstDatesAreReadAndInvalidOnesRecognised)
{
    EXPECT_EQ(parseTypedDate("05/03/2026"), QDate(2026, 3, 5));
    EXPECT_EQ(parseTypedDate("5/3/2026"), QDate(2026, 3, 5));
    EXPECT_EQ(parseTypedDate("29/02/2024"), QDate(2024, 2, 29));
    EXPECT_FALSE(parseTypedDate("31/02/2026"));
    EXPECT_FALSE(parseTypedDate("29/02/2026"));
    EXPECT_FALSE(parseTypedDate(EmptyMaskedDate));
    EXPECT_FALSE(parseTypedDate("12/13/2026"));
    EXPECT_FALSE(parseTypedDate(""));

    // Month first between # signs in the query text, a day-only value when executed.
    const JetQuery q = JetQuery("SELECT * FROM DDTTes WHERE DDTTes.DataReg >= ") << Jet::date(QDate(2026, 3, 5));
    EXPECT_EQ(q.jetText(), QStringLiteral("SELECT * FROM DDTTes WHERE DDTTes.DataReg >= #03/05/2026#"));
    EXPECT_EQ(q.bindings().value(0).toString(), QStringLiteral("2026-03-05"));
    EXPECT_EQ(storedDate(QStringLiteral("2026-03-05")), QDate(2026, 3, 5));
    EXPECT_EQ(typedDate(QDate(2026, 3, 5)), QStringLiteral("05/03/2026"));
}

TEST(GridLayouts, NamedLayoutShowsItsFieldsInOrderWithHeadingsAndFormats)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("Layout.grx"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"AutoX": [{"field": "Tot", "heading": "Totale Lire", "width": 90, "format": "lire"},
                             {"field": "DataReg", "heading": "Data", "format": "date"}]})");
    file.close();

    QStandardItemModel model(1, 3);
    model.setHorizontalHeaderLabels({"DataReg", "NumInt", "Tot"});
    model.setData(model.index(0, 0), "2026-03-05");
    model.setData(model.index(0, 2), 1234567.0);
    QTableView grid;
    grid.setModel(&model);

    applyGridLayout(&grid, loadGridLayout(file.fileName(), "AutoX"));
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_FALSE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.horizontalHeader()->visualIndex(2), 0);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Totale Lire"));
    EXPECT_EQ(static_cast<QStyledItemDelegate*>(grid.itemDelegateForColumn(2))->displayText(model.data(model.index(0, 2)), QLocale()),
              QStringLiteral("1.234.567"));
    EXPECT_EQ(static_cast<QStyledItemDelegate*>(grid.itemDelegateForColumn(0))->displayText(model.data(model.index(0, 0)), QLocale()),
              QStringLiteral("05/03/2026"));

    // A missing name or a damaged file shows every field as it is.
    EXPECT_FALSE(loadGridLayout(file.fileName(), "Other"));
    QFile damaged(dir.filePath("bad.grx"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("{not json");
    damaged.close();
    EXPECT_FALSE(loadGridLayout(damaged.fileName(), "AutoX"));
    EXPECT_EQ(formatGridValue(8.5, "euro"), QStringLiteral("8,50"));
}

} // namespace
