#pragma once
#include "components/childscreen.h"
#include "tabledefinitions.h"

#include <QPointer>
#include <QVector>

class DataControl;
class DataGrid;
class FieldPanel;
class QLabel;
class QStackedWidget;
class QToolBar;

// The generic table editor of the base component: the grid `TDBGTabella` lists the rows of the
// data control `DataTabelle`; the detail panel in view shows the current row. Browse state:
// moves, new, edit, delete and exit enabled, fields disabled; edit state: only save and cancel
// enabled, fields enabled, the screen counted in EditingScreenCount. Messages go into panel 1 of
// `ErrorBar`. The shared table screen holds one panel per table number (`PanDati_<n>`) and is
// set up by name from outside (Tag, HelpContextID, lblValuta, DataTabelle, ArrangeControls, the
// panel to show, the grid's layout); the base component's own screens hold one panel `PanDati`
// and open on their table with openOn().
class TableScreen : public ChildScreen
{
    Q_OBJECT
    Q_PROPERTY(QString Tag MEMBER m_tag)
    Q_PROPERTY(qint32 HelpContextID MEMBER m_helpContext)
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

    // Hides every detail panel (the caller shows the one of its table) and shows the currency
    // label for the currency table.
    Q_INVOKABLE void ArrangeControls();

    bool isEditing() const { return m_editing; }
    DataControl* data() const { return m_data; }

protected:
    bool queryUnload() override;

private:
    QToolBar* buildToolbar();
    FieldPanel* activePanel() const;
    void setEditMode(bool editing);
    void showCurrent();
    void onRepositioned();
    void say(const QString& message);

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
    QVector<FieldPanel*> m_panels;
    bool m_editing = false;
};
