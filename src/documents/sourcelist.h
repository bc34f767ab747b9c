#pragma once
#include "common/database.h"
#include "documentkinds.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QHash>
#include <QStringList>
#include <QVector>
#include <optional>

// The documents of one source kind whose DataReg lies in a range, with the
// customer's code and name (a document whose customer is missing is listed too, with empty
// customer columns), in DataReg order and by NumInt within a day.
struct SourceListRange
{
    SourceKind sourceType = SourceKind::None;
    QDate from;
    QDate to;
};

// The list query as the archive is given it.
JetQuery sourceListQuery(const SourceListRange& range);

// A grid model over such a list that reads it a page at a time as the grid scrolls, so that an
// archive with a million documents lists as fast as one with ten. Each page is a complete
// statement continuing after the last row read (DataReg, NumInt): no read stays open between
// pages, so other workstations can write while the list is on screen.
class SourceListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int PageSize = 100;

    using QAbstractTableModel::QAbstractTableModel;

    // Reads the first page of a list (DatabaseError when the archive refuses it).
    void open(const Database& db, const SourceListRange& range);

    const SourceListRange& range() const { return m_range; }
    QStringList fieldNames() const { return m_fields; }
    std::optional<DatabaseError> lastFailure() const { return m_lastFailure; }
    // A value of a row read so far; Null for an unknown field.
    QVariant value(int row, const QString& field) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Horizontal headers read as the field names until a grid layout gives them headings.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;

signals:
    // A later page could not be read; the list stays as read so far (lastFailure says why).
    void readFailed();

private:
    using Row = QVector<QVariant>;
    // Also reads the field names and whether the list ends with this page.
    QVector<Row> readPage();

    Database m_db;
    SourceListRange m_range;
    QString m_table;
    QStringList m_fields;
    QVector<Row> m_rows;
    bool m_atEnd = true;
    std::optional<DatabaseError> m_lastFailure;
    QHash<qint64, QVariant> m_headers;   // (section, role) -> value set by a layout
};
