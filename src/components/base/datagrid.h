#pragma once
#include "common/datacontrol.h"
#include "components/gridview.h"

#include <QPointer>
#include <QTableView>
#include <optional>

class RecordsetModel;

// A read-only grid bound to a data control: it lists the control's rows, follows its current
// row and moves it when the user picks a row. Its look comes from a named layout of a layout
// file: grid->LoadLayout("base", file); grid->ReBind();
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void setDataSource(DataControl* data);
    DataControl* dataSource() const { return m_data; }
    RecordsetModel* rows() const { return m_rows; }

    // Reads the named layout from the layout file (none: every field under its own name).
    void LoadLayout(const QString& layoutName, const QString& layoutFile);
    // Lists the data control's rows again through the layout.
    void ReBind();

private:
    void followPosition();
    void pickRow(int row);

    QPointer<DataControl> m_data;
    RecordsetModel* m_rows;
    std::optional<GridLayout> m_layout;
    bool m_following = false;
};
