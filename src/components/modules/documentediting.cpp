// A view of documents or movements is also where they are written: Nuovo, Modifica, Salva and
// Elimina work on the record picked in its first grid, with the keys of the maintenance screens.
#include "drafteditor.h"
#include "recordbrowser.h"
#include "components/base/datagrid.h"
#include "components/basecomponent.h"
#include "components/reportfailures.h"
#include "common/datacontrol.h"
#include "common/platform.h"

#include <QAction>
#include <QStackedWidget>

void RecordBrowser::addEditing(QToolBar* toolbar)
{
    m_editor = m_spec.editor(m_base, this);
    const auto add = [&](const QString& caption, const char* name, void (RecordBrowser::*command)()) {
        QAction* action = toolbar->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    add(QStringLiteral("Nuovo"), "BNuovo", &RecordBrowser::newRecord);
    add(QStringLiteral("Modifica"), "BModifica", &RecordBrowser::editRecord);
    m_save = add(QStringLiteral("Salva"), "BSalva", &RecordBrowser::saveRecord);
    add(QStringLiteral("Elimina"), "BElimina", &RecordBrowser::deleteRecord);
    connect(m_editor, &DraftEditor::finished, this, [this] {
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

void RecordBrowser::newRecord()
{
    showEditor(true);
    m_editor->startNew();
}

const Recordset* RecordBrowser::pickedRow() const
{
    const Recordset& picked = m_rows->recordset();
    if (!m_rows->isOpen() || picked.isBOF() || picked.isEOF()) {
        Platform::instance().inform(m_spec.pickFirst, m_base->AppTitle);
        return nullptr;
    }
    return &picked;
}

void RecordBrowser::editRecord()
{
    const Recordset* picked = pickedRow();
    if (!picked)
        return;
    showEditor(true);
    bool started = false;
    reportFailures(m_base->AppTitle, [&] { started = m_editor->editPicked(*picked); });
    if (!started)
        showEditor(false);
}

void RecordBrowser::saveRecord()
{
    m_editor->save();
}

void RecordBrowser::deleteRecord()
{
    const Recordset* picked = pickedRow();
    if (picked && m_editor->deletePicked(*picked))
        reportFailures(m_base->AppTitle, [this] { load(); });
}
