#pragma once
#include "common/jetquery.h"

#include <QString>

class QWidget;

// The base component's shared table screen as the command dispatch drives it: one window that
// shows, one at a time, the tables of the "Tabelle" menu. The tag is the number of the table
// shown (empty: none yet); the help context grows with every table opened.
class SharedTableScreen
{
public:
    virtual ~SharedTableScreen() = default;

    virtual QWidget* window() = 0;
    virtual QString tag() const = 0;
    virtual void setTag(const QString& tag) = 0;
    virtual qint32 helpContext() const = 0;
    virtual void setHelpContext(qint32 context) = 0;

    // Before another table replaces the one shown: a row being typed is kept or dropped as on
    // closing the screen (the user is asked). False: the user keeps editing this table.
    virtual bool mayLeaveTable() = 0;
    // Shows the currency caption of the currency table ("Valuta / LIT").
    virtual void setCurrencyCaption(const QString& caption) = 0;
    // Reads the rows of the source from the archive.
    virtual void readRows(const QString& archive, const JetQuery& source) = 0;
    // Hides every detail panel and the currency caption of other tables.
    virtual void ArrangeControls() = 0;
    // Shows the detail panel of a table number and fits the window to it.
    virtual void showPanel(qint16 number) = 0;
    // Lists the rows through a named layout of the grid layout file.
    virtual void useGridLayout(const QString& layoutName, const QString& layoutFile) = 0;
};
