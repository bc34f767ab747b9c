#pragma once
#include "components/basecomponent.h"

#include <QHash>
#include <QPointer>

class QMainWindow;
struct TableDefinition;

// The base component as this suite ships it. Its operations are implemented by area:
// bookkeeping and typing aids (baseclass.cpp), record locks (recordlock.cpp), numbering and
// stock movements (documentservices.cpp), look-ups and dialogs (lookups.cpp),
// data-control binding (databinding.cpp), and its screens (screens.cpp).
class TableScreen;

class BaseClass : public BaseComponent
{
    Q_OBJECT
    Q_INTERFACES(BaseComponent)
public:
    explicit BaseClass(QObject* parent = nullptr);
    ~BaseClass() override;

    // How many child screens may be open at once.
    static constexpr qint16 MaxOpenScreens = 40;

    bool CanOpenScreen() override;
    void PrepareScreen(QWidget* screen) override;
    void PrepareWindow(WId handle) override;
    void ScreenClosed() override;
    void PrepareDialog(QWidget* dialog) override;
    void setMainWindow(QMainWindow* window) override;
    QMainWindow* MainWindow() const override;

    void RegisterSignIn(const QString& owner, const QString& user, const QString& workstation, QVariant& out) override;

    void RecordLock(qint16& mode, QString& owner, QString& screenTitle, QString& table,
                    QString& keyValue1, QString& keyValue2, QString& keyValue3,
                    QString& keyField1, QString& keyField2, QString& keyField3,
                    qint16& keyKind1, qint16& keyKind2, qint16& keyKind3,
                    QString& archive, bool& always, bool& result) override;
    void dropEndedLocks(bool ownToo) override;

    qint32 nextNumber(const QString& kind, const QString& code, const QString& fiscalYear,
                      const QString& controlledTable) override;
    qint32 NextDocumentNumber(const QString& kind, const QString& documentCode, const QString& fiscalYear,
                              qint16 kindNumber, const QString& empty, const QString& headerTable,
                              qint32 minusOne, qint16 one) override;
    void PostStockMovement(QWidget* wizard, const QString& sourceKindName, const QString& sourceDataReg,
                           const QString& sourceNumero, const QString& movementDate, const QString& reasonCode,
                           qint32& movementNumber, QString& reasonKind, QString& sourceRowsTable,
                           DataControl* data1, DataControl* data2, qint32 minusOne, qint32 sourceNumInt) override;
    PostedMovement PostStockMovement(const StockMovementRequest& request) override;

    QChar FilterTextKey(QChar key) override;
    QChar FilterDigitKey(QChar key) override;
    QChar FilterDecimalKey(QChar key, const QString& textSoFar, int cursorPosition) override;
    void FocusAndSelectAll(QWidget* control) override;

    QString ShowLookup(qint16 kind, const JetQuery& filter) override;
    void ShowPictureDialog() override;
    void ShowSupplierSearch() override;
    void BrowseForFolder(WId window, QLineEdit* target) override;
    void ShowCompanyPicture(QLabel* image, QLineEdit* pathBox, const QString& filePath) override;
    void IncrementalSearch(const QString& keyField, QLineEdit* source, QLineEdit* target, const QString& table,
                           DataControl* data, const QString& field, bool flag) override;
    void PrepareDataControl(DataControl* data, QWidget* screen) override;
    void PreparePanel(QWidget* panel, QWidget* screen) override;
    void AttachRecordset(QWidget* screen, Recordset& row) override;

    SharedTableScreen* TableForm() override;
    QWidget* CustomersForm() override;
    QWidget* SuppliersForm() override;
    QWidget* ArticlesForm() override;
    QWidget* AgentsForm() override;
    QWidget* MaterialsForm() override;
    QWidget* ServicesForm() override;
    QWidget* CarriersForm() override;
    QWidget* PriceListsForm() override;
    QWidget* ImageManagerForm() override;

private:
    // The base component's own table editors, one instance each while open.
    QWidget* ownScreen(const QString& name, const QString& title, const TableDefinition& table);

    QPointer<QMainWindow> m_mainWindow;
    QPointer<TableScreen> m_tableForm;
    QHash<QString, QPointer<QWidget>> m_screens;
};
