#pragma once
#include "components/childscreen.h"
#include "documents/documentcreation.h"
#include "components/gridview.h"
#include "documents/sourcelist.h"

#include <QDateTime>
#include <QString>
#include <optional>

class DataControl;
class ErrorBar;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The document wizard: creates a new document from an existing one of another kind in four
// steps after a welcome page (panels PB_0 .. PB_4, one shown at a time):
//  step 1 the kind to create, step 2 the kind to start from with the supplier of a purchase
//  document and the warehouse movement, step 3 the source document out of a date range,
//  step 4 a summary whose "Fine" creates the document.
// Controls carry the names of the system; control arrays are "Name_Index" (PB_0, LBL_3) and the
// first panel of a status bar X is the label "X_1".
class AutoComp : public ChildScreen
{
    Q_OBJECT
public:
    explicit AutoComp(BaseComponent* base, QWidget* parent = nullptr);
    bool openScreen();

    // Number of the page shown, 1 (welcome) to 5 (summary); 0 once a completed run is leaving.
    qint16 CurrentPage = 0;
    bool FirstShowDone = false;
    TargetKind TargetType = TargetKind::None;
    SourceKind SourceType = SourceKind::None;
    QString GridLayoutName;
    // The last list query of step 3 and the last question asked.
    QString WorkText;
    qint32 NewNumber = 0;
    QString CreatedSummary;
    bool MovementRequested = false;
    qint32 MovementNumber = 0;
    QString ReasonKind;

    // Shows page `shown` and hides page `hidden` (page numbers 1..5).
    void ShowPage(int shown, int hidden);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool queryUnload() override;

private:
    // The five pages (autocomppages.cpp).
    void buildPages();
    QWidget* buildWelcomePage();
    QWidget* buildTargetPage();
    QWidget* buildSourcePage();
    QWidget* buildListPage();
    QWidget* buildSummaryPage();
    QPushButton* addButton(QHBoxLayout* row, const QString& name, const QString& caption, void (AutoComp::*handler)());

    // The page machine (autocomp.cpp).
    void firstDisplay();
    void welcomeNext();
    void targetNext();
    void sourceNext();
    void exitWizard();
    void backToWelcome() { ShowPage(1, 2); }
    void backToTarget() { ShowPage(2, 3); }
    void backToSource() { ShowPage(3, 4); }
    void backToList() { ShowPage(4, 5); }

    // Step 2: the supplier (supplierfields.cpp) and the warehouse movement (movementcheck.cpp).
    void supplierCodeChanged();
    void supplierKeyChanged();
    void searchSupplier();
    bool ValidateMovement();
    void refuseMovement(const QString& message, QWidget* field);
    void reasonChanged();
    void searchReason();

    // Step 3: the source documents (sourcestep.cpp).
    void PrepareSourceStep();
    void RefreshSourceList();
    void BuildSourceQuery(SourceKind sourceType);
    bool ValidateDateRange();
    void refuseRange(const QString& message, QWidget* field);
    int chosenRow() const;
    std::optional<GridLayout> gridLayout(const QString& layoutFile);

    // Step 4: the summary and the creation (finishstep.cpp).
    void listNext();
    void finish();
    CreationRequest creationRequest() const;
    QString partialCreation(const CreationResult& result) const;
    void startAgain();

    Database dataArchive() const;

    QWidget* PB[5] = {};
    QComboBox* CBLista1 = nullptr;
    QComboBox* CBLista2 = nullptr;
    ErrorBar* ErrBar = nullptr;
    ErrorBar* ErrBar2 = nullptr;
    ErrorBar* ErrBarRic = nullptr;
    QGroupBox* FRMDatiFor = nullptr;
    QGroupBox* FRMDatiMag = nullptr;
    QLineEdit* tRicCodFor = nullptr;
    QLineEdit* tRicDescFor = nullptr;
    QLineEdit* tAppoRicFor = nullptr;
    QLineEdit* tDtMag = nullptr;
    QLineEdit* tCauMag = nullptr;
    QLineEdit* tDescCauMag = nullptr;
    QLabel* Text4 = nullptr;
    QLineEdit* RicDT1 = nullptr;
    QLineEdit* RicDT2 = nullptr;
    QTableView* GridRic = nullptr;
    DataControl* DataRicerche = nullptr;
    SourceListModel* m_sourceList = nullptr;
    // The range of the list on screen: a refused range keeps it.
    SourceListRange m_listRange;
    QString m_layoutFile, m_layoutName;
    QDateTime m_layoutStamp;
    std::optional<GridLayout> m_layout;
    QLabel* LBL[7] = {};
    QPushButton* CMD1 = nullptr;
    QPushButton* m_forward[5] = {};  // the forward button of each page
};
