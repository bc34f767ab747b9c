#include "lookupdialog.h"
#include "common/jetdate.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Dates are listed as users type them, day first.
QString shownValue(const QVariant& value)
{
    static const QRegularExpression storedDay(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}"));
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime
        || storedDay.match(value.toString()).hasMatch())
        return typedDate(storedDate(value));
    return value.toString();
}

} // namespace

LookupDialog::LookupDialog(const QString& caption, Recordset rows, const QStringList& columns,
                           const QStringList& headings, QWidget* parent)
    : QDialog(parent), m_rows(std::move(rows)), m_columns(columns)
{
    setObjectName(QStringLiteral("Lookup"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Cerca :"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("tCerca"));
    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("LookupGrid"));
    m_grid->setColumnCount(int(columns.size()));
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setAccessibleName(caption);
    m_search->setAccessibleName(QStringLiteral("Cerca"));
    label->setBuddy(m_search);
    m_grid->setRowCount(m_rows.RecordCount());
    int r = 0;
    for (m_rows.MoveFirst(); !m_rows.isEOF(); m_rows.MoveNext(), ++r) {
        for (int c = 0; c < columns.size(); ++c) {
            auto* item = new QTableWidgetItem(shownValue(m_rows.value(columns[c])));
            item->setData(Qt::UserRole, r);
            m_grid->setItem(r, c, item);
        }
    }
    m_grid->resizeColumnsToContents();
    if (m_grid->rowCount() > 0)
        m_grid->selectRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BTNOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BTNAnnulla"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    layout->addWidget(label);
    layout->addWidget(m_search);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);
    resize(520, 380);
    connect(m_search, &QLineEdit::textChanged, this, &LookupDialog::applyFilter);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &LookupDialog::pick);
    connect(buttons, &QDialogButtonBox::accepted, this, &LookupDialog::pick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void LookupDialog::applyFilter(const QString& text)
{
    int first = -1;
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        bool match = text.isEmpty();
        for (int c = 0; c < m_grid->columnCount() && !match; ++c)
            match = m_grid->item(r, c)->text().contains(text, Qt::CaseInsensitive);
        m_grid->setRowHidden(r, !match);
        if (match && first < 0)
            first = r;
    }
    if (first >= 0)
        m_grid->selectRow(first);
    else
        m_grid->clearSelection();
}

void LookupDialog::pick()
{
    const auto selected = m_grid->selectionModel()->selectedRows();
    if (selected.isEmpty() || m_grid->isRowHidden(selected.first().row()))
        return;
    m_picked = m_grid->item(selected.first().row(), 0)->data(Qt::UserRole).toInt();
    accept();
}

QVariant LookupDialog::pickedValue(const QString& column)
{
    if (m_picked < 0)
        return {};
    m_rows.setAbsolutePosition(m_picked);
    return m_rows.value(column);
}
