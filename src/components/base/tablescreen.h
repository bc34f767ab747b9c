#pragma once
#include "components/childscreen.h"
#include "tabledefinitions.h"
#include "components/heldlock.h"
#include "components/sharedtablescreen.h"

#include <QPointer>
#include <QVector>

class DataControl;
class DataGrid;
class FieldPanel;
class QLabel;
class QScrollArea;
class QStackedWidget;
class QToolBar;

// The generic table editor of the base component: the grid `TDBGTabella` lists the rows of the
// data control `DataTabelle`; the detail panel in view shows the current row. Browse state:
// moves, new, edit, delete and exit enabled, fields disabled; edit state: only save and cancel
// enabled, fields read-only, the screen counted in EditingScreenCount. Messages go into panel 1 of
// `ErrorBar`. The shared table screen holds one panel per table number (`PanDati_<n>`) and is
// driven by the command dispatch through SharedTableScreen; the base component's own screens
// hold one panel `PanDati` and open on their table with openOn().
// An existing row is edited under its record lock (owner "BREVANO V", the screen's title, the
// table and its key), held until the edit ends however it ends; a row held elsewhere is neither
// edited nor deleted.
class TableScreen : public ChildScreen, public SharedTableScreen
{
    Q_OBJECT
public:
    struct Panel
    {
        QString name;
        const TableDefinition* table;
    };
    TableScreen(BaseComponent* base, const QString& name, const QVector<Panel>& panels, QWidget* parent = nullptr);
    ~TableScreen() override;

    // Opens the screen on a table of its own: the rows of its definition, by code.
    bool openOn(const QString& caption, const QString& archive, const TableDefinition& table);

    // SharedTableScreen.
    QWidget* window() override { return this; }
    QString tag() const override { return m_tag; }
    void setTag(const QString& tag) override { m_tag = tag; }
    qint32 helpContext() const override { return m_helpContext; }
    void setHelpContext(qint32 context) override { m_helpContext = context; }
    bool mayLeaveTable() override;
    void setCurrencyCaption(const QString& caption) override;
    void readRows(const QString& archive, const JetQuery& source) override;
    void ArrangeControls() override;
    void showPanel(qint16 number) override;
    void useGridLayout(const QString& layoutName, const QString& layoutFile) override;

    bool isEditing() const { return m_editing; }
    DataControl* data() const { return m_data; }

protected:
    bool queryUnload() override;

private:
    QToolBar* buildToolbar();
    FieldPanel* activePanel() const;
    void fitDetails();
    void setEditMode(bool editing);
    void showCurrent();
    void onRepositioned();
    void say(const QString& message);
    LockIdentity rowLock() const;
    // tablescreenchecks.cpp: false (the reason told) when the row may not be stored or deleted.
    bool mayStore(const FieldPanel& panel, const Recordset& row);
    bool mayDelete(const FieldPanel& panel);
    bool readRowAgain(const QString& key);

    void addRow();
    void editRow();
    void saveRow();
    void cancelEdit();
    void deleteRow();

    QString m_tag;
    qint32 m_helpContext = 0;
    DataControl* m_data;
    DataGrid* m_grid;
    QLabel* m_currency;
    QLabel* m_message;
    QToolBar* m_toolbar;
    QScrollArea* m_details;
    QVector<FieldPanel*> m_panels;
    bool m_editing = false;
    std::optional<HeldLock> m_lock;
};
