#pragma once
#include "datagridmodel.h"

#include <QTableView>
#include <functional>

class BaseComponent;
class DataControl;
class LocalitaDelegate;

// An editable grid of the localities screen, bound to a data control.
//  - Moving to another row writes the row typed on (refused: the grid stays on it and
//    reports writeFailed), then moves the data control onto the new row; the adding row leaves
//    the data control past its last row. Where there is no row to move to, the keys that leave
//    a row (Up, Down, Enter, Tab out of its last cell) and a click below the rows write it in place.
//  - Every typed character is refused while keysAccepted() says no; in the first column (the
//    code) it passes through the base component's FilterTextKey.
//  - A row counts as changed from its first typed character.
//  - turnedTo() tells that the user brought the grid to the focus (a click or the keyboard).
class LocalitaGrid : public QTableView
{
    Q_OBJECT
public:
    LocalitaGrid(BaseComponent* base, DataControl* data, QVector<DataGridModel::Column> columns,
                 QWidget* parent = nullptr);

    DataGridModel* gridModel() const { return m_model; }
    // Reads the rows again after the data control was refreshed or closed; the current row
    // follows the data control.
    void reload();
    bool hasPendingEdit() const { return m_model->hasPendingEdit(); }
    // Drops the row being typed, open editor included.
    void discardEdits();

    std::function<bool()> keysAccepted = [] { return true; };

signals:
    void rowEntered();
    void turnedTo();
    void writeFailed(DataGridModel::WriteResult result);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void writeRowInPlace();
    void rowChanged(const QModelIndex& current, const QModelIndex& previous);

    DataControl* m_data;
    DataGridModel* m_model;
    LocalitaDelegate* m_delegate;
    bool m_syncing = false;
};
