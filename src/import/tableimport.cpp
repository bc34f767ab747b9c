#include "tableimport.h"

namespace {

// The statement as it runs: it reads the old table where it can be read, and leaves out the
// rows the target refuses instead of failing.
JetQuery withoutFailOnError(const JetQuery& statement, const QString& sourceArchive)
{
    static const QString insert = QStringLiteral("INSERT INTO ");
    JetQuery executed;
    for (JetQuery::Piece piece : statement.pieces()) {
        if (piece.kind == JetQuery::PieceKind::Fixed && piece.fixed.startsWith(insert))
            piece.fixed.replace(0, insert.size(), QStringLiteral("INSERT OR IGNORE INTO "));
        else if (piece.kind == JetQuery::PieceKind::Archive)
            piece.fixed = sourceArchive;
        executed << piece;
    }
    return executed;
}

} // namespace

ImportCount importTable(const Database& current, LegacyArchive& old, const ImportedTable& table,
                        QString& statementText, const LegacyArchive::Progress& progress)
{
    const JetQuery statement = table.insertSelect(old.path());
    statementText = statement.jetText();
    const LegacyArchive::SourceTable source = old.openTable(table.oldTable, progress);
    const int added = current.execute(withoutFailOnError(statement, source.archivePath));
    return {added, source.recordCount};
}
