#pragma once
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class JetTableReader;

// An archive of the previous generation in Microsoft Jet format, read through libmdb.
// Tables read from it must not outlive it.
class JetArchiveReader
{
public:
    // Null when the file is not a Jet archive.
    static std::unique_ptr<JetArchiveReader> open(const QString& path);
    ~JetArchiveReader();
    JetArchiveReader(const JetArchiveReader&) = delete;
    JetArchiveReader& operator=(const JetArchiveReader&) = delete;

    // The user table of that name, matched without regard to case; null when there is none.
    std::unique_ptr<JetTableReader> table(const QString& name);

    struct Impl;

private:
    explicit JetArchiveReader(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

// One table, read row by row in its stored order. Values keep their kind: whole numbers as
// qint64, floating and currency numbers as double, Yes/No as bool, text and memo as UTF-8 text,
// dates as "yyyy-MM-dd" (with the time when there is one); Null stays a null QVariant.
class JetTableReader
{
public:
    enum class Kind { Boolean, Integer, Real, Text, Date, Unsupported };
    struct Column
    {
        QString name;
        Kind kind;
    };

    ~JetTableReader();
    JetTableReader(const JetTableReader&) = delete;
    JetTableReader& operator=(const JetTableReader&) = delete;

    QString name() const;
    const std::vector<Column>& columns() const;
    // The row count the table's definition records (for progress: rows are counted as read).
    int storedRowCount() const;

    // Moves to the next row; false after the last.
    bool next();
    // A value of the current row (0-based column).
    QVariant value(int column) const;

    struct Impl;

private:
    friend class JetArchiveReader;
    explicit JetTableReader(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};
