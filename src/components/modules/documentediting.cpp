// A view of documents is also where they are written: Nuovo, Modifica, Salva and Elimina work
// on the document picked in its first grid, with the keys of the maintenance screens.
#include "documenteditor.h"
#include "recordbrowser.h"
#include "components/base/datagrid.h"
#include "components/basecomponent.h"
#include "components/reportfailures.h"
#include "common/datacontrol.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "documents/documentkinds.h"
#include "documents/documentsave.h"

#include <QAction>
#include <QStackedWidget>

void RecordBrowser::addEditing(QToolBar* toolbar)
{
    m_editor = new DocumentEditor(m_base, m_spec.documentKind, m_spec.variant, this);
    const auto add = [&](const QString& caption, const char* name, void (RecordBrowser::*command)()) {
        QAction* action = toolbar->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    add(QStringLiteral("Nuovo"), "BNuovo", &RecordBrowser::newDocument);
    add(QStringLiteral("Modifica"), "BModifica", &RecordBrowser::editDocument);
    m_save = add(QStringLiteral("Salva"), "BSalva", &RecordBrowser::saveDocument);
    add(QStringLiteral("Elimina"), "BElimina", &RecordBrowser::deleteDocument);
    connect(m_editor, &DocumentEditor::finished, this, [this] {
        showEditor(false);
        reportFailures(m_base->AppTitle, [this] { load(); });
    });
}

void RecordBrowser::showEditor(bool editing)
{
    m_pages->setCurrentIndex(editing ? 1 : 0);
    for (QAction* action : std::as_const(m_browseActions))
        action->setEnabled(!editing);
    m_save->setEnabled(editing);
    if (!editing)
        m_rowsGrid->setFocus();
}

bool RecordBrowser::isEditing() const
{
    return m_editor && m_editor->isEditing();
}

bool RecordBrowser::cancelEdit()
{
    return !isEditing() || m_editor->cancel();
}

void RecordBrowser::newDocument()
{
    showEditor(true);
    m_editor->startNew();
}

std::optional<std::pair<QDate, qint32>> RecordBrowser::pickedDocumentKey() const
{
    const Recordset& picked = m_rows->recordset();
    if (!m_rows->isOpen() || picked.isBOF() || picked.isEOF()) {
        Platform::instance().inform(QStringLiteral("Selezionare un Documento."), m_base->AppTitle);
        return std::nullopt;
    }
    return std::pair{storedDate(picked.value(QStringLiteral("DataReg"))), picked.value(QStringLiteral("NumInt")).toInt()};
}

void RecordBrowser::editDocument()
{
    const auto key = pickedDocumentKey();
    if (!key)
        return;
    const auto [dataReg, numInt] = *key;
    reportFailures(m_base->AppTitle, [&] {
        showEditor(true);
        if (!m_editor->startEdit(dataReg, numInt))
            showEditor(false);
    });
}

void RecordBrowser::saveDocument()
{
    m_editor->save();
}

void RecordBrowser::deleteDocument()
{
    const auto key = pickedDocumentKey();
    if (!key)
        return;
    const auto [dataReg, numInt] = *key;
    const DocumentKind* kind = documentKind(m_spec.documentKind);
    if (!m_base->lock(LockMode::CheckBeforeDelete, documentLock(m_base, *kind, dataReg, numInt))) {
        Platform::instance().refuse(QStringLiteral("Dato in Modifica da Altro Utente. Impossibile Eliminare"), m_base->AppTitle);
        return;
    }
    if (!Platform::instance().askDestructive(QStringLiteral("Si Desidera Eliminare il Documento N. %1 del %2?")
                                                 .arg(numInt)
                                                 .arg(typedDate(dataReg)),
                                             m_base->AppTitle))
        return;
    if (reportFailures(m_base->AppTitle, [&] { ::deleteDocument(m_base->documentSession(), kind->code, dataReg, numInt); }))
        reportFailures(m_base->AppTitle, [this] { load(); });
}
