#include "datacontrol.h"

void DataControl::Refresh()
{
    if (!m_db.isValid() || m_db.path() != DatabaseName)
        m_db = Database::open(DatabaseName, Connect, false);
    m_recordset = Recordset::open(m_db, RecordSource, RecordsetType, ReadOnly);
    emit repositioned();
}

void DataControl::close()
{
    m_recordset.close();
    m_db = Database();
}

void DataControl::moveFirst() { m_recordset.MoveFirst(); emit repositioned(); }
void DataControl::moveNext() { m_recordset.MoveNext(); emit repositioned(); }
void DataControl::movePrevious() { m_recordset.MovePrevious(); emit repositioned(); }
void DataControl::moveLast() { m_recordset.MoveLast(); emit repositioned(); }
void DataControl::moveTo(int position) { m_recordset.setAbsolutePosition(position); emit repositioned(); }
void DataControl::moveTo(const Recordset::Bookmark& row, std::optional<qint64> position)
{
    m_recordset.setBookmark(row, position);
    emit repositioned();
}

bool DataControl::findFirst(const JetQuery& criterion)
{
    const bool found = m_recordset.FindFirst(criterion);
    emit repositioned();
    return found;
}
