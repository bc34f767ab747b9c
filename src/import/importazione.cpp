#include "importazione.h"
#include "importedtables.h"
#include "tableimport.h"
#include "common/platform.h"
#include "components/reportfailures.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QProgressBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString ImportError = QStringLiteral("ATTENZIONE, Il File di Importazione è Errato o non correttamente funzionante.")
                            + u'\r' + QStringLiteral("Si Consiglia di Ritentare");

// The check boxes as the frame shows them.
const char* const FrameOrder[] = {"OpArticoli", "OpClienti", "OpDepositi", "OpFornitori", "OpIva",
                                  "OpMerc",     "OpUnita",   "OpZone",     "OpAgenti"};

const ImportedTable& tableOf(const QString& option)
{
    for (const ImportedTable& table : importedTables())
        if (table.option == option)
            return table;
    throw std::logic_error("unknown table option");
}

} // namespace

Importazione::Importazione(BaseComponent* base, QWidget* parent) : ChildScreen(base, parent)
{
    setObjectName(QStringLiteral("Importazione"));
    auto* layout = new QVBoxLayout(this);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    const std::pair<const char*, QString> buttons[] = {{"BImporta", QStringLiteral("Importa")},
                                                        {"BElimina", QStringLiteral("Azzeramento Dati")},
                                                        {"BEsci", QStringLiteral("   Esci   ")}};
    for (const auto& [key, caption] : buttons)
        toolbar->addAction(caption)->setObjectName(QString::fromLatin1(key));
    connect(toolbar, &QToolBar::actionTriggered, this, [this](QAction* action) { onToolbar(action->objectName()); });
    layout->addWidget(toolbar);

    auto* frame = new QGroupBox(QStringLiteral("TABELLE GESTIBILI"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* boxes = new QGridLayout(frame);
    int index = 0;
    for (const char* option : FrameOrder) {
        auto* box = new QCheckBox(tableOf(QString::fromLatin1(option)).caption, frame);
        box->setObjectName(QString::fromLatin1(option));
        m_options.insert(box->objectName(), box);
        boxes->addWidget(box, index % 5, index / 5);
        ++index;
    }
    layout->addWidget(frame);

    // Reading a large old table takes a while: the bar shows which table and how far.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Avanzamento"));
    m_progress->setVisible(false);
    layout->addWidget(m_progress);
}

Importazione::~Importazione() = default;

bool Importazione::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(" : Importazione da Brevano IV")))
        return false;
    try {
        CurrentArchive = Database::open(base()->DataDbPath, base()->ConnectString);
    } catch (...) {
        close();
        throw;
    }
    return true;
}

void Importazione::onToolbar(const QString& key)
{
    try {
        reportFailures(base()->AppTitle, [&] {
            if (key == QLatin1String("BEsci"))
                close();
            else if (key == QLatin1String("BImporta"))
                importa();
            else if (key == QLatin1String("BElimina"))
                azzera();
        });
    } catch (const std::exception& error) {
        Platform::instance().refuse(QString::fromStdString(error.what()), base()->AppTitle);
    }
}

bool Importazione::ticked(const ImportedTable& table) const
{
    return m_options.value(table.option)->isChecked();
}

bool Importazione::anyTicked() const
{
    for (const ImportedTable& table : importedTables())
        if (ticked(table))
            return true;
    return false;
}

void Importazione::importa()
{
    Platform& platform = Platform::instance();
    if (!anyTicked()) {
        platform.inform(QStringLiteral("Selezionare le Tabelle da Importare"), base()->AppTitle);
        return;
    }
    platform.message(QStringLiteral("Selezionare il Database di Brevano IV"), Platform::Icon::None,
                     Platform::Buttons::Ok, base()->AppTitle);
    const QString chosen =
        platform.chooseOpenFile(this, QStringLiteral("Database di Brevano IV (BrevanoIV.mdb)|BrevanoIV.mdb"));
    if (chosen.isEmpty())
        return;
    ImportTables(chosen);
}

void Importazione::ImportTables(const QString& oldArchivePath)
{
    Platform& platform = Platform::instance();
    try {
        {
            Hourglass busy;
            OldArchive = std::make_unique<LegacyArchive>(oldArchivePath);
        }
        for (const ImportedTable& table : importedTables()) {
            if (!ticked(table))
                continue;
            ImportCount count{};
            {
                Hourglass busy;
                showProgress(table.caption, 0, 0);
                count = importTable(CurrentArchive, *OldArchive, table, ImportSql,
                                    [&](int done, int total) { showProgress(table.caption, done, total); });
                showProgress(table.caption, count.read, count.read);
            }
            platform.message(QStringLiteral("Sono Stati Importati ") + QString::number(count.added) + table.countWord
                                 + QString::number(count.read),
                             Platform::Icon::None, Platform::Buttons::Ok, QString());
        }
    } catch (const std::exception&) {
        m_progress->setVisible(false);
        platform.refuse(ImportError, base()->AppTitle);
        return;
    }
    m_progress->setVisible(false);
}

void Importazione::showProgress(const QString& caption, int done, int total)
{
    m_progress->setFormat(caption + QStringLiteral(": %v di %m"));
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progress->setVisible(true);
    // The import runs on this thread: paint now rather than when it is over.
    m_progress->repaint();
}

void Importazione::azzera()
{
    if (!anyTicked()) {
        Platform::instance().inform(QStringLiteral("Selezionare le Tabelle da Azzerare i Dati"), base()->AppTitle);
        return;
    }
    ClearTables();
}

void Importazione::ClearTables()
{
    Platform& platform = Platform::instance();
    if (!platform.askDestructive(QStringLiteral("Si desidera Azzerare i Dati\r\rdelle Tabelle Selezionate ?"), base()->AppTitle))
        return;
    for (const ImportedTable& table : importedTables()) {
        if (!ticked(table))
            continue;
        try {
            Hourglass busy;
            CurrentArchive.execute(table.emptying);
        } catch (const DatabaseError& error) {
            // Tables emptied so far stay empty; the rest are left as they are.
            platform.refuse(QStringLiteral("Impossibile Azzerare i Dati della Tabella ") + table.caption + u'.' + u'\r'
                                + failureMessage(error),
                            base()->AppTitle);
            return;
        }
    }
    platform.inform(QStringLiteral("Azzeramento Dati Completato"), base()->AppTitle);
}
