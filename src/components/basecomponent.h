#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include "common/database.h"
#include "documents/session.h"

class DataControl;
class QLabel;
class QLineEdit;
class QMainWindow;
class Recordset;
class SharedTableScreen;

// The modes of RecordLock.
enum class LockMode : qint16 { Query = 0, Acquire = 1, CheckBeforeDelete = 2, Release = 3 };

// The empty-slot marker of the lock protocol.
inline const QString EmptySlot = QStringLiteral(":_:");

// The identity of a record lock: owner, screen title, table, up to three key parts, archive.
struct LockIdentity
{
    QString owner;
    QString screenTitle;
    QString table;
    QString keyValues[3] = {EmptySlot, EmptySlot, EmptySlot};
    QString keyFields[3] = {EmptySlot, EmptySlot, EmptySlot};
    qint16 keyKinds[3] = {0, 0, 0};
    QString archive = EmptySlot;
};

// The base component ("base.baseclass"): the run-wide values of the signed-in user, the
// screen bookkeeping, locks and numbering, typing aids, look-ups and the base screens.
// The shell calls it operation by operation; the implementation lives in its plugin. The work on
// documents sees only its numbering, its warehouse movements and a copy of the session values.
class BaseComponent : public QObject, public Numbering, public StockMovements
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Run-wide values, written at start-up.
    QString AppTitle, AppPath, DataFolder, DataDbPath, UserDbPath, LocalDbPath, ConnectString;
    qint32 ClientMode = 0;
    QString WorkstationName, UserName, FiscalYear;
    bool IsAdministrator = false;
    QString BaseCurrency;
    qint16 BaseCurrencyDecimals = 0;
    qint16 EuroDecimals = 0;
    double EuroRate = 0;
    bool WarehouseModuleLoaded = false, InvoicingModuleLoaded = false, PaymentsModuleLoaded = false;

    // Screen bookkeeping.
    qint16 OpenScreenCount = 0;
    qint16 EditingScreenCount = 0;
    virtual bool CanOpenScreen() = 0;
    virtual void PrepareScreen(QWidget* screen) = 0;
    virtual void PrepareWindow(WId handle) = 0;
    virtual void ScreenClosed() = 0;
    virtual void PrepareDialog(QWidget* dialog) = 0;
    virtual void setMainWindow(QMainWindow* window) = 0;
    virtual QMainWindow* MainWindow() const = 0;

    // Sign-in.
    virtual void RegisterSignIn(const QString& owner, const QString& user, const QString& workstation,
                                QVariant& out) = 0;

    // Record locks over table Accessi of the user archive; the sixteen arguments by reference.
    virtual void RecordLock(qint16& mode, QString& owner, QString& screenTitle, QString& table,
                            QString& keyValue1, QString& keyValue2, QString& keyValue3,
                            QString& keyField1, QString& keyField2, QString& keyField3,
                            qint16& keyKind1, qint16& keyKind2, qint16& keyKind3,
                            QString& archive, bool& always, bool& result) = 0;
    // The same call for callers that hold an identity.
    bool lock(LockMode mode, const LockIdentity& id);
    // Drops this user's lock rows at this workstation whose holder is no longer running (at
    // sign-in), and this session's own too (at exit).
    virtual void dropEndedLocks(bool ownToo) = 0;

    // The company archive, opened once for the session. Numbering, warehouse movements and the
    // creation of documents share it, so that a new document and its numbers are written in
    // one transaction, and its page cache is not built up again for every document.
    Database dataArchive();
    // The user archive, likewise opened once: record locks are taken on it many times a session.
    Database userArchive();

    // The session as the creation of a document sees it.
    SessionValues sessionValues() const { return {UserName, WorkstationName, FiscalYear}; }
    DocumentSession documentSession() { return {sessionValues(), dataArchive(), *this, *this, books()}; }
    Books books() const { return booksOf(BaseCurrency, EuroRate); }

    // Document numbering and the warehouse movement, with the arguments the modules pass.
    virtual qint32 NextDocumentNumber(const QString& kind, const QString& documentCode, const QString& fiscalYear,
                                      qint16 kindNumber, const QString& empty, const QString& headerTable,
                                      qint32 minusOne, qint16 one) = 0;
    // One spelling for the movement: the documents' own form (StockMovements) stays callable here.
    using StockMovements::PostStockMovement;
    virtual void PostStockMovement(QWidget* wizard, const QString& sourceKindName, const QString& sourceDataReg,
                                   const QString& sourceNumero, const QString& movementDate,
                                   const QString& reasonCode, qint32& movementNumber, QString& reasonKind,
                                   QString& sourceRowsTable, DataControl* data1, DataControl* data2,
                                   qint32 minusOne, qint32 sourceNumInt) = 0;

    // Typing aids: the character to use instead of the typed one (null: dropped).
    virtual QChar FilterTextKey(QChar key) = 0;
    virtual QChar FilterDigitKey(QChar key) = 0;
    virtual QChar FilterDecimalKey(QChar key, const QString& textSoFar = QString(), int cursorPosition = -1) = 0;
    virtual void FocusAndSelectAll(QWidget* control) = 0;
    // Installs the three filters on a field (helpers over the operations above).
    void useTextKeys(QWidget* field);
    void useDigitKeys(QWidget* field);
    // A number field also refuses, as it is typed or pasted, a text that cannot become a number
    // (typednumber.h) or has more than maxDecimals decimals (-1: any).
    void useDecimalKeys(QWidget* field, int maxDecimals = -1);

    // Dialogs and look-ups. ShowLookup returns an error text, empty on success; the pick is in
    // DialogResult (and SelectedProvince / SelectedPostalCode for kinds 22 and 23). The filter is
    // "-1" (no filter) or a selection whose values are bound, never spliced.
    QString DialogResult, SelectedProvince, SelectedPostalCode;
    virtual QString ShowLookup(qint16 kind, const JetQuery& filter) = 0;
    virtual void ShowPictureDialog() = 0;
    virtual void ShowSupplierSearch() = 0;
    virtual void BrowseForFolder(WId window, QLineEdit* target) = 0;
    virtual void ShowCompanyPicture(QLabel* image, QLineEdit* pathBox, const QString& filePath) = 0;
    virtual void IncrementalSearch(const QString& keyField, QLineEdit* source, QLineEdit* target,
                                   const QString& table, DataControl* data, const QString& field,
                                   bool flag) = 0;
    // Binds the controls of a screen named after the columns of a data control's current row.
    virtual void PrepareDataControl(DataControl* data, QWidget* screen) = 0;
    virtual void PreparePanel(QWidget* panel, QWidget* screen) = 0;
    // Stores the screen's edited values into a row put into edit by the caller.
    virtual void AttachRecordset(QWidget* screen, Recordset& row) = 0;

    // The shared table screen and its parameters.
    QString TableSource;
    qint16 TableKind = 0, TableOption = 0, TableNumber = 0;
    virtual SharedTableScreen* TableForm() = 0;

    // Screens of the base component.
    virtual QWidget* CustomersForm() = 0;
    virtual QWidget* SuppliersForm() = 0;
    virtual QWidget* ArticlesForm() = 0;
    virtual QWidget* AgentsForm() = 0;
    virtual QWidget* MaterialsForm() = 0;
    virtual QWidget* ServicesForm() = 0;
    virtual QWidget* CarriersForm() = 0;
    virtual QWidget* PriceListsForm() = 0;
    virtual QWidget* ImageManagerForm() = 0;

private:
    struct SessionArchive
    {
        Database db;
        QString connectString;
    };
    Database sessionArchive(SessionArchive& archive, const QString& path);
    SessionArchive m_dataArchive, m_userArchive;
};

Q_DECLARE_INTERFACE(BaseComponent, "it.tarmel.brevano.BaseComponent/5.0")
