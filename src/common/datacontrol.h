#pragma once
#include "database.h"
#include "recordset.h"

#include <QObject>
#include <QString>

// The data control of a screen: an archive, a connect string and a record source; it opens
// the source as a recordset on Refresh and tells bound widgets when the position changes.
class DataControl : public QObject
{
    Q_OBJECT
public:
    explicit DataControl(QObject* parent = nullptr) : QObject(parent) {}

    QString DatabaseName;
    QString Connect;
    JetQuery RecordSource;
    Recordset::Type RecordsetType = Recordset::Type::Dynaset;
    bool ReadOnly = false;

    // Opens (again) the record source; positions on the first row.
    void Refresh();
    void close();
    Recordset& recordset() { return m_recordset; }
    const Recordset& recordset() const { return m_recordset; }
    Database database() const { return m_db; }
    bool isOpen() const { return m_recordset.isOpen(); }

    // Moves, then tells the bound widgets.
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    void moveTo(int position);
    void moveTo(const Recordset::Bookmark& row, std::optional<qint64> position = std::nullopt);
    bool findFirst(const JetQuery& criterion);
    // Say that the position (or the current row) changed after direct recordset work.
    void notifyReposition() { emit repositioned(); }

signals:
    void repositioned();

private:
    Database m_db;
    Recordset m_recordset;
};
