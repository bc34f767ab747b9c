#pragma once
#include <QString>
#include <stdexcept>

// A failure of the data layer, with the description shown to the user.
class DatabaseError : public std::runtime_error
{
public:
    enum class Kind {
        NotFound,       // no file at the archive path
        NotAnArchive,   // the file is not an archive of ours
        WrongPassword,  // the connect string's password does not match
        Busy,           // another workstation holds the archive too long
        Constraint,     // a key or a required value refused the write
        Statement,      // any other failing statement
    };
    DatabaseError(Kind kind, const QString& description)
        : std::runtime_error(description.toStdString()), m_kind(kind), m_description(description) {}
    Kind kind() const { return m_kind; }
    QString description() const { return m_description; }

private:
    Kind m_kind;
    QString m_description;
};
