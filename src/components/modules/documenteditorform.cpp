// The widgets of the document editor, laid out to fit a 1024×768 screen.
#include "documenteditor.h"
#include "components/typedrowsgrid.h"
#include "draftrowsmodel.h"
#include "components/screenframe.h"
#include "common/jetdate.h"
#include "documents/documentkinds.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

void DocumentEditor::buildForm()
{
    const DocumentKind* kind = documentKind(m_kindCode);
    const bool supplier = kind->supplierCounterpart;
    QWidget* header = startForm();
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    auto* grid = static_cast<QGridLayout*>(header->layout());
    const auto lookup = [this](QLineEdit* field, const QString& table, const QString& caption) {
        ScreenFrame::useLookup(field, [this, field, table, caption] { pickFromList(field, table, caption); });
    };
    lookup(addField(QStringLiteral("idCausaleDoc"), QStringLiteral("Causale"), 0, 2, header), QStringLiteral("causalidoc"),
           QStringLiteral("Causali Documento"));
    lookup(addField(QStringLiteral("MMidCausaleDoc"), QStringLiteral("Causale Magazzino"), 0, 3, header),
           QStringLiteral("CauMag"), QStringLiteral("Causali di Magazzino"));

    const QString party = supplier ? QStringLiteral("Fornitore") : QStringLiteral("Cliente");
    auto* partyLabel = new QLabel(party, header);
    m_counterpart = new QLineEdit(header);
    m_counterpart->setObjectName(supplier ? QStringLiteral("CodiceFornitore") : QStringLiteral("CodiceCliente"));
    partyLabel->setBuddy(m_counterpart);
    grid->addWidget(partyLabel, 1, 0);
    grid->addWidget(m_counterpart, 1, 1);
    connect(m_counterpart, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    connect(m_counterpart, &QLineEdit::editingFinished, this, &DocumentEditor::counterpartTyped);
    lookup(m_counterpart, supplier ? QStringLiteral("Fornitori") : QStringLiteral("Clienti"), party + QStringLiteral("i"));
    addField(supplier ? QStringLiteral("DSFor") : QStringLiteral("DSCli"), QStringLiteral("Denominazione"), 1, 1, header, 5);
    addField(QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 2, 0, header);
    addField(QStringLiteral("Localita"), QStringLiteral("Località"), 2, 1, header);
    addField(QStringLiteral("CAP"), QStringLiteral("C.A.P."), 2, 2, header);
    addField(QStringLiteral("PV"), QStringLiteral("Prov."), 2, 3, header);
    lookup(addField(QStringLiteral("idPagamento"), QStringLiteral("Pagamento"), 3, 0, header), QStringLiteral("ModPag"),
           QStringLiteral("Modalità di Pagamento"));
    addField(QStringLiteral("idModPag"), QStringLiteral("Tipo Pag."), 3, 1, header);
    if (!supplier) {
        lookup(addField(QStringLiteral("idListino"), QStringLiteral("Listino"), 3, 2, header), QStringLiteral("Listini"),
               QStringLiteral("Listini"));
        lookup(addField(QStringLiteral("idAgente"), QStringLiteral("Agente"), 3, 3, header), QStringLiteral("Agenti"),
               QStringLiteral("Agenti"));
        addField(QStringLiteral("PercSconto"), QStringLiteral("Sconto %"), 4, 0, header);
        addField(QStringLiteral("Zona"), QStringLiteral("Zona"), 4, 1, header);
    }
    addField(QStringLiteral("NoteDoc"), QStringLiteral("Note"), 4, 2, header, 3);

    if (carriesTransport(m_kindCode)) {
        auto* transport = new QGroupBox(QStringLiteral("Trasporto"), this);
        transport->setObjectName(QStringLiteral("FrameTrasporto"));
        new QGridLayout(transport);
        addField(QStringLiteral("CausaleTrasp"), QStringLiteral("Causale Trasporto"), 0, 0, transport);
        addField(QStringLiteral("Aspetto"), QStringLiteral("Aspetto"), 0, 1, transport);
        addField(QStringLiteral("Colli"), QStringLiteral("Colli"), 0, 2, transport);
        addField(QStringLiteral("PesoKG"), QStringLiteral("Peso kg"), 0, 3, transport);
        lookup(addField(QStringLiteral("idVett1"), QStringLiteral("Vettore 1"), 1, 0, transport), QStringLiteral("Vettori"),
               QStringLiteral("Vettori"));
        addField(QStringLiteral("NoteVett1"), QStringLiteral("Note Vettore 1"), 1, 1, transport);
        lookup(addField(QStringLiteral("idVett2"), QStringLiteral("Vettore 2"), 1, 2, transport), QStringLiteral("Vettori"),
               QStringLiteral("Vettori"));
        addField(QStringLiteral("NoteVett2"), QStringLiteral("Note Vettore 2"), 1, 3, transport);
        addField(QStringLiteral("Porto"), QStringLiteral("Porto"), 2, 0, transport);
        addField(QStringLiteral("ACura"), QStringLiteral("A cura"), 2, 1, transport);
        addField(QStringLiteral("DtCons"), QStringLiteral("Consegna"), 2, 2, transport)->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
        addField(DeliveryTime, QStringLiteral("Ora Consegna"), 2, 3, transport)->setInputMask(TimeInputMask);
        layout->addWidget(transport);
    }
    for (const QString& number : {QStringLiteral("PercSconto"), QStringLiteral("PesoKG"), QStringLiteral("Colli")})
        if (QLineEdit* field = m_fields.value(number))
            number == QLatin1String("Colli") ? m_base->useDigitKeys(field) : m_base->useDecimalKeys(field);

    makeRows(DraftRowsModel::DocumentColumns, QStringLiteral("TDBGRigheDocumento"));
    // Named apart from the list's grids on the page behind, which a screen reader also reaches.
    m_grid->setAccessibleName(QStringLiteral("Righe del Documento in Scrittura"));
    auto* rowsLabel = new QLabel(QStringLiteral("Righe del Documento"), this);
    rowsLabel->setBuddy(m_grid);
    layout->addWidget(rowsLabel);
    m_grid->horizontalHeader()->setSectionResizeMode(m_rows->sectionOf(DraftRowsModel::Description), QHeaderView::Stretch);
    layout->addWidget(m_grid, 1);

    // What every document needs comes first from the keyboard: the date, the counterpart, the rows.
    setTabOrder(m_date, m_counterpart);
    setTabOrder(m_counterpart, m_grid);

    auto* summary = new QHBoxLayout;
    m_vat = new QTableWidget(0, 4, this);
    m_vat->setObjectName(QStringLiteral("TDBGRiepilogoIVA"));
    m_vat->setAccessibleName(QStringLiteral("Riepilogo I.V.A."));
    m_vat->setHorizontalHeaderLabels({QStringLiteral("I.V.A."), QStringLiteral("Aliquota"), QStringLiteral("Imponibile"),
                                      QStringLiteral("Imposta")});
    m_vat->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_vat->verticalHeader()->hide();
    m_vat->setMaximumHeight(90);
    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("LBLTotali"));
    summary->addWidget(m_vat, 1);
    summary->addWidget(m_totals, 1);
    layout->addLayout(summary);
    connect(m_rows, &DraftRowsModel::amountsChanged, this, &DocumentEditor::showTotals);
}
