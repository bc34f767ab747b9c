#include "basecomponent.h"
#include "common/keyfilters.h"

Database BaseComponent::dataArchive()
{
    // Opened again when the session moves to another data folder or password.
    if (!m_dataArchive.isValid() || m_dataArchive.path() != DataDbPath || m_dataArchiveConnectString != ConnectString) {
        m_dataArchive = Database();
        m_dataArchive = Database::open(DataDbPath, ConnectString);
        m_dataArchiveConnectString = ConnectString;
    }
    return m_dataArchive;
}

bool BaseComponent::lock(LockMode mode, const LockIdentity& id)
{
    qint16 m = qint16(mode);
    LockIdentity a = id;
    bool always = true;
    bool result = false;
    RecordLock(m, a.owner, a.screenTitle, a.table, a.keyValues[0], a.keyValues[1], a.keyValues[2],
               a.keyFields[0], a.keyFields[1], a.keyFields[2], a.keyKinds[0], a.keyKinds[1], a.keyKinds[2],
               a.archive, always, result);
    return result;
}

void BaseComponent::useTextKeys(QWidget* field)
{
    installKeyFilter(field, [this](QChar key, const QString&, int) { return FilterTextKey(key); });
}

void BaseComponent::useDigitKeys(QWidget* field)
{
    installKeyFilter(field, [this](QChar key, const QString&, int) { return FilterDigitKey(key); });
}

void BaseComponent::useDecimalKeys(QWidget* field)
{
    installKeyFilter(field, [this](QChar key, const QString& text, int cursor) {
        return FilterDecimalKey(key, text, cursor);
    });
}
