#pragma once
#include <QString>

class Database;
class QWidget;

// Rows that belong to the record a table screen shows (a price list's prices): shown with it,
// typed while it is edited, checked before it is stored, and written or deleted in the
// record's own transaction, under its record lock.
class RecordRows
{
public:
    virtual ~RecordRows() = default;
    virtual QWidget* widget() = 0;
    // The rows of the record with this key (none for an empty key: a record being added).
    virtual void showFor(const QString& key) = 0;
    virtual void setEditing(bool editing) = 0;
    // Why the typed rows cannot be stored, the cursor put on the row concerned; empty when they can.
    virtual QString refusal(const Database& db) = 0;
    virtual void write(const Database& db, const QString& key) = 0;
    virtual void remove(const Database& db, const QString& key) = 0;
};
