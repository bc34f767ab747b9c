#pragma once
#include "common/datacontrol.h"
#include "components/gridview.h"

#include <QPointer>
#include <QTableView>
#include <optional>

class RecordsetModel;

// A read-only grid bound to a data control: it lists the control's rows, follows its current
// row and moves it when the user picks a row. Its look comes from a named layout of a layout
// file; like the grids of the original suite it is set up by name:
//   grid->setProperty("LayoutName", "base"); grid->setProperty("LayoutFileName", file);
//   invoke "LoadLayout", then "ReBind".
class DataGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(QString LayoutName MEMBER m_layoutName)
    Q_PROPERTY(QString LayoutFileName MEMBER m_layoutFile)
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void setDataSource(DataControl* data);
    DataControl* dataSource() const { return m_data; }
    RecordsetModel* rows() const { return m_rows; }

    // Reads the named layout from the layout file (none: every field under its own name).
    Q_INVOKABLE void LoadLayout();
    // Lists the data control's rows again through the layout.
    Q_INVOKABLE void ReBind();

private:
    void followPosition();
    void pickRow(int row);

    QPointer<DataControl> m_data;
    RecordsetModel* m_rows;
    QString m_layoutName;
    QString m_layoutFile;
    std::optional<GridLayout> m_layout;
    bool m_following = false;
};
