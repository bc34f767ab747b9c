#pragma once
#include "common/recordset.h"

#include <QDialog>

class QLineEdit;
class QTableWidget;

// A modal list to pick one row from: a search field narrows the rows as the user types
// (any column containing the text, without regard to case); double-click or OK picks.
class LookupDialog : public QDialog
{
    Q_OBJECT
public:
    LookupDialog(const QString& caption, Recordset rows, const QStringList& columns,
                 const QStringList& headings, QWidget* parent = nullptr);
    // The row picked (-1: none); read its values through the recordset.
    int pickedRow() const { return m_picked; }
    QVariant pickedValue(const QString& column);

private:
    void applyFilter(const QString& text);
    void pick();

    Recordset m_rows;
    QStringList m_columns;
    QLineEdit* m_search;
    QTableWidget* m_grid;
    int m_picked = -1;
};
