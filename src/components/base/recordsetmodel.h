#pragma once
#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QVector>

class Recordset;

// The rows of a recordset as a grid model: a copy taken by load(), so that the grid never moves
// the recordset's current row. The horizontal header's edit role is the field name (what grid
// layouts look for); layouts may set other headings.
class RecordsetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Copies the rows of a recordset that is not in the middle of an edit; keeps its position.
    void load(Recordset& rows);
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role = Qt::EditRole) override;

    QVariant value(int row, const QString& field) const;

private:
    QStringList m_fields;
    QVector<QVector<QVariant>> m_rows;
    QHash<qint64, QVariant> m_headings;  // (section, role) -> heading set by a layout
};
