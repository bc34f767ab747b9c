#pragma once
#include "common/database.h"
#include "components/childscreen.h"
#include "legacyarchive.h"

#include <QHash>
#include <memory>

class QCheckBox;
class QProgressBar;
struct ImportedTable;

// Copies master data from the previous generation's archive into the company archive, table
// by table, and empties the same tables before an import.
class Importazione : public ChildScreen
{
    Q_OBJECT
public:
    explicit Importazione(BaseComponent* base, QWidget* parent = nullptr);
    ~Importazione() override;
    bool openScreen();

    // Imports every ticked table from the old archive at that path.
    void ImportTables(const QString& oldArchivePath);
    // Asks, then empties every ticked table.
    void ClearTables();

    Database CurrentArchive;
    std::unique_ptr<LegacyArchive> OldArchive;
    QString ImportSql;

private:
    void onToolbar(const QString& key);
    void importa();
    void azzera();
    bool anyTicked() const;
    bool ticked(const ImportedTable& table) const;
    void showProgress(const QString& caption, int done, int total);

    QProgressBar* m_progress = nullptr;
    QHash<QString, QCheckBox*> m_options;   // the ticks of the tables, by option name
};
