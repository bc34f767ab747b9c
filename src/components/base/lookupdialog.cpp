#include "lookupdialog.h"
#include "recordsetmodel.h"
#include "common/jetdate.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Dates are listed as users type them, day first.
class ListedValue : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        static const QRegularExpression storedDay(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}"));
        if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime
            || storedDay.match(value.toString()).hasMatch())
            return typedDate(storedDate(value));
        return QStyledItemDelegate::displayText(value, locale);
    }
};

} // namespace

LookupDialog::LookupDialog(const QString& caption, const Recordset& rows, const QStringList& columns,
                           const QStringList& headings, QWidget* parent)
    : QDialog(parent), m_rows(rows), m_columns(columns), m_headings(headings)
{
    setObjectName(QStringLiteral("Lookup"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Cerca :"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("tCerca"));
    m_model = new RecordsetModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("LookupGrid"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new ListedValue(m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setAccessibleName(caption);
    m_search->setAccessibleName(QStringLiteral("Cerca"));
    label->setBuddy(m_search);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BTNOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BTNAnnulla"));
    layout->addWidget(label);
    layout->addWidget(m_search);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);
    resize(520, 380);

    // The list is narrowed once the typing pauses, not at every key (the filter stops the timer).
    m_typing = new QTimer(this);
    m_typing->setInterval(250);
    connect(m_typing, &QTimer::timeout, this, &LookupDialog::applyFilter);
    connect(m_search, &QLineEdit::textChanged, m_typing, qOverload<>(&QTimer::start));
    connect(m_grid, &QTableView::doubleClicked, this, &LookupDialog::pick);
    connect(buttons, &QDialogButtonBox::accepted, this, &LookupDialog::pick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    applyFilter();
    m_grid->resizeColumnsToContents();
}

void LookupDialog::applyFilter()
{
    m_typing->stop();
    JetQuery filter;
    const QString text = m_search->text();
    if (!text.isEmpty()) {
        for (int c = 0; c < m_columns.size(); ++c) {
            if (c > 0)
                filter << " OR ";
            filter << Jet::contains(m_columns[c], text);
        }
    }
    m_model->load(m_rows, filter);
    const QStringList fields = m_model->fieldNames();
    for (int f = 0; f < fields.size(); ++f) {
        int listed = -1;
        for (int c = 0; c < m_columns.size() && listed < 0; ++c)
            if (m_columns[c].compare(fields[f], Qt::CaseInsensitive) == 0)
                listed = c;
        m_grid->setColumnHidden(f, listed < 0);
        if (listed >= 0) {
            m_model->setHeaderData(f, Qt::Horizontal, m_headings.value(listed), Qt::DisplayRole);
            m_grid->horizontalHeader()->moveSection(m_grid->horizontalHeader()->visualIndex(f), listed);
        }
    }
    // The reload left no row chosen: the first one is, when there is one.
    if (m_model->rowCount() > 0)
        m_grid->selectRow(0);
}

void LookupDialog::pick()
{
    // What was typed counts even when the list has not caught up with it yet.
    if (m_typing->isActive())
        applyFilter();
    const auto selected = m_grid->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    m_picked = selected.first().row();
    accept();
}

QVariant LookupDialog::pickedValue(const QString& column) const
{
    return m_picked < 0 ? QVariant() : m_model->value(m_picked, column);
}
