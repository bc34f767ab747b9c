#pragma once
#include <QString>
#include <stdexcept>

class QSqlError;

// A failure of the data layer: what kind of failure, which archive, and the details. The data
// layer never words a failure for the user; screens do (failureMessage), from the kind.
class DatabaseError : public std::runtime_error
{
public:
    enum class Kind {
        NotFound,       // no file at the archive path
        NotAnArchive,   // the file is not an archive of ours
        WrongPassword,  // the connect string's password does not match
        Busy,           // another workstation holds the archive too long
        ReadOnly,       // the archive or its folder cannot be written
        DiskFull,       // no room left to write
        Damaged,        // the file is damaged
        Unreachable,    // the archive's folder or server cannot be reached
        Constraint,     // a key or a required value refused the write
        BadValue,       // a value the engine cannot keep: too long for a key, a character it refuses
        Failed,         // any other failure of the engine; detail holds its text
        Refused,        // refused by the program's own rules; detail holds the sentence to show
    };
    DatabaseError(Kind kind, const QString& detail, const QString& archive = QString())
        : std::runtime_error(detail.toStdString()), m_kind(kind), m_detail(detail), m_archive(archive) {}

    Kind kind() const { return m_kind; }
    // The engine's own text, or the program's sentence for Refused.
    QString detail() const { return m_detail; }
    // The archive file (or database) concerned, when known.
    QString archive() const { return m_archive; }

    // The one place that reads an engine's failure: its kind from the engine's code.
    static DatabaseError fromEngine(const QSqlError& error, const QString& archive);

private:
    Kind m_kind;
    QString m_detail;
    QString m_archive;
};
