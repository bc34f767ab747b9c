#include "autocomp.h"
#include "errorbar.h"
#include "common/datacontrol.h"
#include "common/jetdate.h"
#include "common/platform.h"
#include "documents/documentkinds.h"
#include "components/failuremessage.h"
#include "components/screenframe.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* field(const QString& name, QWidget* parent)
{
    auto* f = new QLineEdit(parent);
    f->setObjectName(name);
    return f;
}

QLineEdit* maskedDate(const QString& name, QWidget* parent)
{
    QLineEdit* f = field(name, parent);
    f->setInputMask(DateInputMask);
    f->setMaximumWidth(110);
    return f;
}

QWidget* page(int index, const QString& title, QWidget* parent)
{
    auto* p = new QWidget(parent);
    p->setObjectName(QStringLiteral("PB_%1").arg(index));
    auto* layout = new QVBoxLayout(p);
    if (!title.isEmpty()) {
        QLabel* t = label(QStringLiteral("Titolo_%1").arg(index), title, p);
        QFont bold = t->font();
        bold.setBold(true);
        bold.setPointSizeF(bold.pointSizeF() * 1.3);
        t->setFont(bold);
        layout->addWidget(t);
    }
    return p;
}

QHBoxLayout* buttonRow(QWidget* page)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    static_cast<QVBoxLayout*>(page->layout())->addLayout(row);
    return row;
}

} // namespace

void AutoComp::buildPages()
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PB[0] = buildWelcomePage();
    PB[1] = buildTargetPage();
    PB[2] = buildSourcePage();
    PB[3] = buildListPage();
    PB[4] = buildSummaryPage();
    // Stacked in one cell: each page fills the window.
    for (QWidget* p : PB) {
        // A hidden page still counts in the wizard's size, so that the window opens big enough
        // for every step (a window sized from hidden pages opened as a bare title bar).
        QSizePolicy policy = p->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        p->setSizePolicy(policy);
        layout->addWidget(p, 0, 0);
        p->setVisible(false);
        p->setEnabled(false);
    }
    for (QGroupBox* frame : {FRMDatiFor, FRMDatiMag}) {
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
    }
    GridRic->setMinimumHeight(160);
    // Enter presses the page's own forward button ("Avanti", on the last page "Fine").
    for (QPushButton* forward : m_forward)
        forward->setDefault(true);
    ScreenFrame::useLookup(tRicCodFor, [this] { searchSupplier(); });
    ScreenFrame::useLookup(tRicDescFor, [this] { searchSupplier(); });
    ScreenFrame::useLookup(tCauMag, [this] { searchReason(); });
    tDtMag->setAccessibleName(QStringLiteral("Data Movimento Magazzino"));
    tRicCodFor->setAccessibleName(QStringLiteral("Codice Fornitore"));
    tRicDescFor->setAccessibleName(QStringLiteral("Denominazione Fornitore"));
    tCauMag->setAccessibleName(QStringLiteral("Causale Magazzino"));
    tDescCauMag->setAccessibleName(QStringLiteral("Descrizione Causale Magazzino"));
    RicDT1->setAccessibleName(QStringLiteral("Documenti Dal"));
    RicDT2->setAccessibleName(QStringLiteral("Documenti Al"));
    CBLista1->setAccessibleName(QStringLiteral("Tipo di Documento da Creare"));
    CBLista2->setAccessibleName(QStringLiteral("Tipo di Documento da Importare"));
    GridRic->setAccessibleName(QStringLiteral("Documenti"));
}

QPushButton* AutoComp::addButton(QHBoxLayout* row, const QString& name, const QString& caption,
                                 void (AutoComp::*handler)())
{
    auto* button = new QPushButton(caption, row->parentWidget());
    button->setObjectName(name);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

QWidget* AutoComp::buildWelcomePage()
{
    QWidget* p = page(0, QString(), this);
    auto* layout = static_cast<QVBoxLayout*>(p->layout());
    QLabel* text = label(QStringLiteral("Text1"),
                         QStringLiteral("Benvenuti nell 'Autocomposizione Guidata dei Documenti :\n"
                                        "Questa procedura permette di creare Automaticamente altri Documenti.\n"
                                        "Premere Avanti per scegliere l' operazione da eseguire oppure Esci \n"
                                        "per abbandonare l' Autocomposizione."),
                         p);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
    QHBoxLayout* buttons = buttonRow(p);
    CMD1 = addButton(buttons, QStringLiteral("CMD1"), QStringLiteral("Avanti   >"), &AutoComp::welcomeNext);
    m_forward[0] = CMD1;
    addButton(buttons, QStringLiteral("CMD2"), QStringLiteral("Esci"), &AutoComp::exitWizard);
    return p;
}

QWidget* AutoComp::buildTargetPage()
{
    QWidget* p = page(1, QStringLiteral("Passo 1 di 4"), this);
    auto* layout = static_cast<QVBoxLayout*>(p->layout());
    layout->addWidget(label(QStringLiteral("Text2"), QStringLiteral("Scelta del Tipo di Documento da Creare :"), p));
    CBLista1 = new QComboBox(p);
    CBLista1->setObjectName(QStringLiteral("CBLista1"));
    for (const TargetChoice& target : targetChoices())
        CBLista1->addItem(target.name);
    CBLista1->setCurrentIndex(-1);
    layout->addWidget(CBLista1);
    layout->addStretch(1);
    ErrBar = new ErrorBar(QStringLiteral("ErrBar"), p);
    layout->addWidget(ErrBar);
    QHBoxLayout* buttons = buttonRow(p);
    addButton(buttons, QStringLiteral("CMD3"), QStringLiteral("<  Indietro"), &AutoComp::backToWelcome);
    m_forward[1] = addButton(buttons, QStringLiteral("CMD4"), QStringLiteral("Avanti   >"), &AutoComp::targetNext);
    addButton(buttons, QStringLiteral("CMD5"), QStringLiteral("Esci"), &AutoComp::exitWizard);
    return p;
}

QWidget* AutoComp::buildSourcePage()
{
    QWidget* p = page(2, QStringLiteral("Passo 2 di 4"), this);
    auto* layout = static_cast<QVBoxLayout*>(p->layout());
    layout->addWidget(label(QStringLiteral("Text3"), QStringLiteral("Scelta del Tipo di Documento da Importare :"), p));
    CBLista2 = new QComboBox(p);
    CBLista2->setObjectName(QStringLiteral("CBLista2"));
    layout->addWidget(CBLista2);

    FRMDatiFor = new QGroupBox(QStringLiteral("Dati Necessari per l' Importazione "), p);
    FRMDatiFor->setObjectName(QStringLiteral("FRMDatiFor"));
    auto* supplier = new QHBoxLayout(FRMDatiFor);
    supplier->addWidget(label(QStringLiteral("LBLFornitore"), QStringLiteral("Fornitore"), FRMDatiFor));
    tRicCodFor = field(QStringLiteral("tRicCodFor"), FRMDatiFor);
    tRicCodFor->setMaximumWidth(120);
    tRicDescFor = field(QStringLiteral("tRicDescFor"), FRMDatiFor);
    tRicDescFor->setReadOnly(true);
    tAppoRicFor = field(QStringLiteral("tAppoRicFor"), FRMDatiFor);
    tAppoRicFor->setVisible(false);
    supplier->addWidget(tRicCodFor);
    supplier->addWidget(tRicDescFor, 1);
    layout->addWidget(FRMDatiFor);

    FRMDatiMag = new QGroupBox(QStringLiteral("Dati Necessari per la generazione della Movimentazione del Magazzino"), p);
    FRMDatiMag->setObjectName(QStringLiteral("FRMDatiMag"));
    auto* movement = new QGridLayout(FRMDatiMag);
    movement->addWidget(label(QStringLiteral("LBLDataMovMag"), QStringLiteral("Data Mov. Maga"), FRMDatiMag), 0, 0);
    tDtMag = maskedDate(QStringLiteral("tDtMag"), FRMDatiMag);
    movement->addWidget(tDtMag, 0, 1);
    movement->addWidget(label(QStringLiteral("LBLCausale"), QStringLiteral("Causale"), FRMDatiMag), 1, 0);
    tCauMag = field(QStringLiteral("tCauMag"), FRMDatiMag);
    tCauMag->setMaximumWidth(120);
    movement->addWidget(tCauMag, 1, 1);
    tDescCauMag = field(QStringLiteral("tDescCauMag"), FRMDatiMag);
    tDescCauMag->setReadOnly(true);
    movement->addWidget(tDescCauMag, 1, 2);
    movement->setColumnStretch(2, 1);
    layout->addWidget(FRMDatiMag);

    layout->addStretch(1);
    ErrBar2 = new ErrorBar(QStringLiteral("ErrBar2"), p);
    layout->addWidget(ErrBar2);
    QHBoxLayout* buttons = buttonRow(p);
    addButton(buttons, QStringLiteral("CMD6"), QStringLiteral("<  Indietro"), &AutoComp::backToTarget);
    m_forward[2] = addButton(buttons, QStringLiteral("CMD7"), QStringLiteral("Avanti   >"), &AutoComp::sourceNext);
    addButton(buttons, QStringLiteral("CMD8"), QStringLiteral("Esci"), &AutoComp::exitWizard);

    base()->useTextKeys(tRicCodFor);
    base()->useTextKeys(tCauMag);
    base()->useDigitKeys(tDtMag);
    connect(tRicCodFor, &QLineEdit::textChanged, this, &AutoComp::supplierCodeChanged);
    connect(tAppoRicFor, &QLineEdit::textChanged, this, &AutoComp::supplierKeyChanged);
    connect(tCauMag, &QLineEdit::textChanged, this, &AutoComp::reasonChanged);
    for (QLineEdit* f : {tRicCodFor, tRicDescFor, tCauMag})
        f->installEventFilter(this);
    return p;
}

QWidget* AutoComp::buildListPage()
{
    QWidget* p = page(3, QStringLiteral("Passo 3 di 4"), this);
    auto* layout = static_cast<QVBoxLayout*>(p->layout());
    Text4 = label(QStringLiteral("Text4"), QString(), p);
    layout->addWidget(Text4);
    auto* range = new QHBoxLayout;
    range->addWidget(label(QStringLiteral("LBLDal"), QStringLiteral("Documenti Dal"), p));
    RicDT1 = maskedDate(QStringLiteral("RicDT1"), p);
    range->addWidget(RicDT1);
    range->addWidget(label(QStringLiteral("LBLAl"), QStringLiteral("Al"), p));
    RicDT2 = maskedDate(QStringLiteral("RicDT2"), p);
    range->addWidget(RicDT2);
    auto* search = new QPushButton(QStringLiteral("Ricerca Doc."), p);
    search->setObjectName(QStringLiteral("CMDRic"));
    connect(search, &QPushButton::clicked, this, &AutoComp::RefreshSourceList);
    range->addWidget(search);
    range->addStretch(1);
    layout->addLayout(range);

    DataRicerche = new DataControl(this);
    DataRicerche->setObjectName(QStringLiteral("DataRicerche"));
    m_sourceList = new SourceListModel(DataRicerche);
    GridRic = new QTableView(p);
    GridRic->setObjectName(QStringLiteral("GridRic"));
    GridRic->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridRic->setSelectionMode(QAbstractItemView::SingleSelection);
    GridRic->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridRic->verticalHeader()->setDefaultSectionSize(GridRic->fontMetrics().height() + 6);
    GridRic->setModel(m_sourceList);
    connect(m_sourceList, &SourceListModel::readFailed, this,
            [this] { Platform::instance().refuse(failureMessage(*m_sourceList->lastFailure()), base()->AppTitle); });
    layout->addWidget(GridRic, 1);

    ErrBarRic = new ErrorBar(QStringLiteral("ErrBarRic"), p);
    layout->addWidget(ErrBarRic);
    QHBoxLayout* buttons = buttonRow(p);
    addButton(buttons, QStringLiteral("CMD10"), QStringLiteral("<  Indietro"), &AutoComp::backToSource);
    m_forward[3] = addButton(buttons, QStringLiteral("CMD9"), QStringLiteral("Avanti   >"), &AutoComp::listNext);
    addButton(buttons, QStringLiteral("CMD11"), QStringLiteral("Esci"), &AutoComp::exitWizard);
    return p;
}

QWidget* AutoComp::buildSummaryPage()
{
    QWidget* p = page(4, QStringLiteral("Passo 4 di 4"), this);
    auto* layout = static_cast<QVBoxLayout*>(p->layout());
    for (int i = 0; i < 7; ++i) {
        LBL[i] = label(QStringLiteral("LBL_%1").arg(i), QString(), p);
        layout->addWidget(LBL[i]);
    }
    layout->addStretch(1);
    QHBoxLayout* buttons = buttonRow(p);
    addButton(buttons, QStringLiteral("CMD13"), QStringLiteral("<  Indietro"), &AutoComp::backToList);
    m_forward[4] = addButton(buttons, QStringLiteral("CMD12"), QStringLiteral("Fine"), &AutoComp::finish);
    addButton(buttons, QStringLiteral("CMD14"), QStringLiteral("Esci"), &AutoComp::exitWizard);
    return p;
}
