#pragma once
#include "components/childscreen.h"
#include "datagridmodel.h"

class DataControl;
class LocalitaGrid;

// The localities screen: states, their provinces and the provinces' postal codes, in three
// editable grids linked as master and details. Rows are added and changed in the grids, never
// deleted here. The grids are TStati, TPV and TCAP (data controls DataStati, DataPV, DataCAP);
// the label above each grid, named after the grid followed by "Caption", shows its caption.
class Localita : public ChildScreen
{
    Q_OBJECT
public:
    explicit Localita(BaseComponent* base, QWidget* parent = nullptr);
    bool openScreen();

    // Drops the pending change of every grid that holds one.
    void DiscardGridEdits();

protected:
    bool queryUnload() override;
    // Esc leaves as the screen's own "Esci" does, asking when a row is being typed.
    void escapePressed() override { BEsci(); }

private:
    LocalitaGrid* addGrid(const QString& name, DataControl* data, const QString& caption,
                          QVector<DataGridModel::Column> columns, QWidget* column);
    DataControl* addDataControl(const QString& name, const char* table);
    bool anyPendingEdit() const;
    bool stateCurrent() const;
    bool provinceCurrent() const;
    QString currentId(DataControl* data) const;
    void statesMoved();
    void provincesMoved();
    void turnedTo(LocalitaGrid* grid);
    void writeFailed(DataGridModel::WriteResult result, const QString& duplicateMessage, const DataGridModel* grid);
    void BEsci();

    DataControl* m_dataStati;
    DataControl* m_dataPV;
    DataControl* m_dataCAP;
    LocalitaGrid* m_tStati = nullptr;
    LocalitaGrid* m_tPV = nullptr;
    LocalitaGrid* m_tCAP = nullptr;
};
