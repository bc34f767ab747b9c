#pragma once
#include "components/childscreen.h"

#include <QVariant>
#include <QVector>

class DataControl;
class DataGridModel;
class QAction;
class QLabel;
class QTableView;
class QWidget;

// The record locks of every workstation (table Accessi of the user archive): browse them,
// sort them by a column, refresh the list and delete a lock, for instance one left behind by a
// workstation that stopped without releasing it. Only administrators reach the screen.
//
// The toolbar CB_Tabella offers the buttons that act on this screen: BPrimo, BPrec, BSucc,
// BUltimo, BElimina, BRefresh, BEsci. BNuovo, BModifica, BAnnulla, BSalva and BStampa would
// start no action here and are left out.
class GestAccessi : public ChildScreen
{
    Q_OBJECT
public:
    explicit GestAccessi(BaseComponent* base, QWidget* parent = nullptr);
    bool openScreen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QAction* addButton(const char* key, const QString& caption, void (GestAccessi::*handler)());
    void repositioned();
    void setRowButtons(bool enabled);
    void showRow();
    // Reads the locks again, the lock `current` (an id) current again wherever the order puts it.
    void reloadGrid(const QVariant& current = {});
    QVariant currentId() const;
    bool lockAnswer(qint16 mode);
    void move(void (DataControl::*step)());
    void sortBy(int column);
    void BPrimo();
    void BPrec();
    void BSucc();
    void BUltimo();
    void BRefresh();
    void BElimina();

    DataControl* m_data;
    DataGridModel* m_model;
    QTableView* m_grid;
    QWidget* m_panel;
    QVector<QAction*> m_rowCommands;
    QLabel* m_sbMex1;
    bool m_syncing = false;
};
