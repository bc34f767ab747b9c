#pragma once
#include "common/recordset.h"

#include <QDialog>

class QLineEdit;
class QTableView;
class QTimer;
class RecordsetModel;

// A modal list to pick one row from, read a page at a time whatever the table holds: a search
// field narrows the rows as the user types (any listed column containing the text, without
// regard to case or accents), double-click, Enter or OK picks.
class LookupDialog : public QDialog
{
    Q_OBJECT
public:
    LookupDialog(const QString& caption, const Recordset& rows, const QStringList& columns,
                 const QStringList& headings, QWidget* parent = nullptr);
    // The row picked (-1: none).
    int pickedRow() const { return m_picked; }
    QVariant pickedValue(const QString& column) const;

private:
    void applyFilter();
    void pick();

    Recordset m_rows;
    QStringList m_columns;
    QStringList m_headings;
    QLineEdit* m_search;
    QTableView* m_grid;
    RecordsetModel* m_model;
    QTimer* m_typing;
    int m_picked = -1;
};
