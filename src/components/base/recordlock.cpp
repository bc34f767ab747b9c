// Record locks: rows of table Accessi in the user archive of the shared data folder.
//
// How a row keeps the identity of its lock (the unique key of Accessi):
//  - Tabella: the table name;
//  - Chiave1..Chiave3: "field=value" for a key part in use, ":_:" for an empty slot; a numeric
//    value (kind 0) is written as a number, so "01" and "1" name one record;
//  - Archivio: ":_:" for the company archive, otherwise the archive's file name ("user.mdb"):
//    each workstation reaches the data folder by a path of its own, the file name is the same
//    for everyone.
// Text compares without regard to case, as the archive compares the keys themselves.
//
// The modes:
//  1 acquire: one INSERT; the unique key lets only one holder win. When the row is already
//    there and belongs to this user at this workstation, the lock is granted again; otherwise
//    the user is told who holds the record, where and since when.
//  2 check before delete: true when no other user or workstation holds the record.
//  0 query: true when the record exists in its table and no other user or workstation holds it
//    (the lock-management screen asks it of a row of Accessi itself).
//  3 release: deletes the caller's own row only; true when there was one.
// "Own" is this user at this workstation in this very process of this installation (column
// Processo, processidentity.h): a second copy of the program started by the same user at the
// same workstation is another holder, and so is a machine that carries the same name.
// Failures of the archive are shown here (critical box) and answer false.
#include "baseclass.h"
#include "common/database.h"
#include "common/platform.h"
#include "common/processidentity.h"
#include "common/transaction.h"
#include "common/writeturn.h"
#include "components/failuremessage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlQuery>
#include <optional>

namespace {

const QString StoredTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

struct KeyPart
{
    QString field;
    QString value;
    qint16 kind;
    bool used() const { return field != EmptySlot; }
    // The value of a numeric key part, when it reads as a number.
    std::optional<double> number() const
    {
        bool numeric = false;
        const double n = value.trimmed().toDouble(&numeric);
        return kind == 0 && numeric ? std::optional<double>(n) : std::nullopt;
    }
};

struct Identity
{
    QString table;
    KeyPart parts[3];
    QString archive;
};

// Letters beyond ASCII are stored small, so that "É" and "é" name one record for the unique key,
// which compares only ASCII letters without regard to case.
QString canonical(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() >= 0x80)
            c = c.toCaseFolded();
    return out;
}

QString storedKey(const KeyPart& part)
{
    if (!part.used())
        return EmptySlot;
    const std::optional<double> number = part.number();
    return part.field + u'=' + (number ? QString::number(*number, 'g', 17) : canonical(part.value));
}

QString storedArchive(const QString& archive)
{
    return archive == EmptySlot ? EmptySlot : QFileInfo(archive).fileName();
}

JetQuery identityCriterion(const Identity& id)
{
    JetQuery q;
    q << "Tabella = " << Jet::text(id.table) << " AND Chiave1 = " << Jet::text(storedKey(id.parts[0]))
      << " AND Chiave2 = " << Jet::text(storedKey(id.parts[1])) << " AND Chiave3 = "
      << Jet::text(storedKey(id.parts[2])) << " AND Archivio = " << Jet::text(storedArchive(id.archive));
    return q;
}

struct Holder
{
    QString user, workstation, process, appTitle;
};

// Whether a lock row is this session's: this user at this workstation, in this very process
// (a second copy of the program started by the same user is another holder).
JetQuery heldByMe(const Holder& me)
{
    JetQuery q("([User] = ");
    q << Jet::text(me.user) << " AND Postazione = " << Jet::text(me.workstation) << " AND Processo = "
      << Jet::text(me.process) << ")";
    return q;
}

JetQuery heldByAnother(const Identity& id, const Holder& me)
{
    JetQuery q("SELECT [User], Postazione, Ore FROM Accessi WHERE ");
    q << identityCriterion(id) << " AND " << heldByMe(me) << " IS NOT TRUE";
    return q;
}

bool recordExists(const Database& db, const Identity& id)
{
    JetQuery q("SELECT 1 FROM ");
    q << Jet::identifier(id.table) << " WHERE 1 = 1";
    for (const KeyPart& part : id.parts) {
        if (!part.used())
            continue;
        q << " AND " << Jet::identifier(part.field) << " = ";
        if (const std::optional<double> number = part.number())
            q << Jet::number(*number);
        else
            q << Jet::text(part.value);
    }
    return db.select(q).next();
}

QString heldMessage(const QSqlQuery& holder)
{
    const QDateTime since = QDateTime::fromString(holder.value(2).toString(), StoredTimeFormat);
    return QStringLiteral("Dato in Modifica da Altro Utente.") + u'\r' + QStringLiteral("Utente: ") +
           holder.value(0).toString() + u'\r' + QStringLiteral("Postazione: ") + holder.value(1).toString() +
           u'\r' + QStringLiteral("Dalle Ore: ") + since.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

// Who holds the lock now: nobody, this user at this workstation, or someone else (told).
enum class Holding { Nobody, Me, Another };

Holding currentHolding(const Database& db, const Identity& id, const Holder& me)
{
    JetQuery held("SELECT [User], Postazione, Ore, ");
    held << heldByMe(me) << " IS TRUE FROM Accessi WHERE " << identityCriterion(id);
    Rows holder = db.select(held);
    if (!holder.next())
        return Holding::Nobody;
    if (holder.value(3).toBool())
        return Holding::Me;
    Platform::instance().inform(heldMessage(holder), me.appTitle);
    return Holding::Another;
}

// One INSERT takes the lock; the unique key refuses it when the row is already there. A lock
// seen held is answered by reading alone, without queuing for the archive's write lock.
bool acquire(const Database& db, const QString& owner, const QString& screenTitle, const Identity& id,
             const Holder& me)
{
    for (;;) {
        switch (currentHolding(db, id, me)) {
        case Holding::Me: return true;
        case Holding::Another: return false;
        case Holding::Nobody: break;
        }
        JetQuery insert("INSERT INTO Accessi ([User], Postazione, Modulo, DescFrm, Ore, Tabella, Chiave1, Chiave2, "
                        "Chiave3, Archivio, Processo) VALUES (");
        insert << Jet::text(me.user) << ", " << Jet::text(me.workstation) << ", " << Jet::text(owner) << ", "
               << Jet::text(screenTitle) << ", " << Jet::text(QDateTime::currentDateTime().toString(StoredTimeFormat))
               << ", " << Jet::text(id.table) << ", " << Jet::text(storedKey(id.parts[0])) << ", "
               << Jet::text(storedKey(id.parts[1])) << ", " << Jet::text(storedKey(id.parts[2])) << ", "
               << Jet::text(storedArchive(id.archive)) << ", " << Jet::text(me.process) << ")";
        const WriteTurn turn(db.path(), Database::BusyTimeoutMs);
        if (db.insertUnlessTaken(insert))
            return true;
        // Taken in the meantime: see by whom (or, released again, try once more).
    }
}

} // namespace

void BaseClass::RecordLock(qint16& mode, QString& owner, QString& screenTitle, QString& table,
                           QString& keyValue1, QString& keyValue2, QString& keyValue3,
                           QString& keyField1, QString& keyField2, QString& keyField3,
                           qint16& keyKind1, qint16& keyKind2, qint16& keyKind3,
                           QString& archive, bool&, bool& result)
{
    result = false;  // and so it stays where the archive fails
    const Identity id{table,
                      {{keyField1, keyValue1, keyKind1}, {keyField2, keyValue2, keyKind2}, {keyField3, keyValue3, keyKind3}},
                      archive};
    const Holder me{UserName, WorkstationName, lockHolderIdentity(LocalDbPath, ConnectString), AppTitle};
    try {
        // A busy archive is waited for (the archive's busy timeout).
        const Database db = userArchive();
        switch (LockMode(mode)) {
        case LockMode::Acquire:
            result = acquire(db, owner, screenTitle, id, me);
            break;
        case LockMode::CheckBeforeDelete:
            result = !db.select(heldByAnother(id, me)).next();
            break;
        case LockMode::Query: {
            if (db.select(heldByAnother(id, me)).next())
                break;
            const QString recordArchive = id.archive == EmptySlot ? DataDbPath : id.archive;
            result = recordExists(Database::open(recordArchive, ConnectString, true), id);
            break;
        }
        case LockMode::Release: {
            JetQuery q("DELETE FROM Accessi WHERE ");
            q << identityCriterion(id) << " AND " << heldByMe(me);
            const WriteTurn turn(db.path(), Database::BusyTimeoutMs);
            result = db.execute(q) > 0;
            break;
        }
        }
    } catch (const DatabaseError& e) {
        Platform::instance().refuse(failureMessage(e), AppTitle);
    }
}

// At sign-in and at exit: this user's lock rows at this workstation whose holder provably ended
// (a copy of the program of this very installation that was killed), and at exit this session's
// own. A second copy running as the same user keeps its locks, and so does another machine that
// carries the same name; a row of an earlier build naming no installation is left to the
// lock-management screen. A data folder that cannot be written keeps its rows: reading goes on.
void BaseClass::dropEndedLocks(bool ownToo)
{
    const Database db = userArchive();
    const QString mine = lockHolderIdentity(LocalDbPath, ConnectString);
    QList<qint64> ended;
    {
        Rows rows = db.select(JetQuery("SELECT id, Processo FROM Accessi WHERE [User] = ")
                                   << Jet::text(UserName) << " AND Postazione = " << Jet::text(WorkstationName));
        while (rows.next()) {
            const QString holder = rows.value(1).toString();
            if ((ownToo && holder == mine) || isEndedHolderOfThisInstallation(holder, LocalDbPath, ConnectString))
                ended << rows.value(0).toLongLong();
        }
    }
    if (ended.isEmpty())
        return;
    try {
        const WriteTurn turn(db.path(), Database::BusyTimeoutMs);
        inImmediateTransaction(db, [&] {
            for (const qint64 id : ended)
                db.execute(JetQuery("DELETE FROM Accessi WHERE id = ") << Jet::number(id));
        });
    } catch (const DatabaseError& e) {
        if (e.kind() != DatabaseError::Kind::ReadOnly)
            throw;
    }
}
