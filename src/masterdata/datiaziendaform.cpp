// The widgets of the company-data screen.
#include "datiazienda.h"
#include "maintenancebars.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* addField(QFormLayout* form, const QString& caption, const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    form->addRow(caption, edit);
    return edit;
}

QFrame* panel(const char* name)
{
    auto* frame = new QFrame;
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

QPushButton* button(const QString& caption, const char* name)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

void DatiAzienda::buildForm()
{
    m_toolbar = new KeyedToolbar(QStringLiteral("Toolbar"),
                                 {{QStringLiteral("BModifica"), QStringLiteral("  Modifica  ")},
                                  {QStringLiteral("BAnnulla"), QStringLiteral("Annulla")},
                                  {QStringLiteral("BSalva"), QStringLiteral("Salva")},
                                  {QStringLiteral("BEsci"), QStringLiteral("Esci")}},
                                 this);

    QFrame* pan1 = panel("Pan1");
    auto* company = new QFormLayout(pan1);
    addField(company, QStringLiteral("Denominazione"), "Text4");
    addField(company, QStringLiteral("Indirizzo"), "Text5");
    addField(company, QStringLiteral("C.A.P."), "Text3");
    addField(company, QStringLiteral("Località"), "Text6");
    addField(company, QStringLiteral("Prov."), "Text2");
    addField(company, QStringLiteral("Stato"), "Text1");
    addField(company, QStringLiteral("Partita I.V.A."), "Text7");
    addField(company, QStringLiteral("Cd. Fiscale"), "Text9");
    addField(company, QStringLiteral("Telefono"), "Text11");
    addField(company, QStringLiteral("Telefono"), "Text8");
    addField(company, QStringLiteral("FAX"), "Text13");
    addField(company, QStringLiteral("C.C.I.A.A."), "Text10");
    addField(company, QStringLiteral("Numero"), "Text14");
    // The fiscal regime the electronic invoices declare (RF01 ordinary, RF19 flat rate, ...).
    addField(company, QStringLiteral("Regime Fiscale"), "tRegimeFiscale");

    QFrame* pan2 = panel("Pan2");
    auto* currency = new QFormLayout(pan2);
    addField(currency, QStringLiteral("Valuta Base"), "tValutaBase");
    addField(currency, QStringLiteral("Dec. Valuta Base"), "tDecValutaBase");
    addField(currency, QStringLiteral("Cambio Euro"), "tCambio");
    addField(currency, QStringLiteral("Dec. Euro"), "tDecEuro");
    auto* folderRow = new QHBoxLayout;
    auto* documents = new QLineEdit;
    documents->setObjectName(QStringLiteral("tDocumenti"));
    folderRow->addWidget(documents, 1);
    folderRow->addWidget(button(QStringLiteral("Sfoglia..."), "Sfoglia"));
    currency->addRow(QStringLiteral("Directory Doc."), folderRow);

    // The logo: its frame and buttons change the record, so they belong to a panel of their own.
    QFrame* panImg = panel("PanImg");
    auto* logoColumn = new QVBoxLayout(panImg);
    auto* logoFrame = new QGroupBox(QStringLiteral("Logo dell ' Azienda"));
    auto* logoLayout = new QVBoxLayout(logoFrame);
    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("Immag"));
    m_picture->setFixedSize(200, 150);
    m_picture->setAlignment(Qt::AlignCenter);
    logoLayout->addWidget(m_picture);
    auto* picturePath = new QLineEdit(logoFrame);
    picturePath->setObjectName(QStringLiteral("Immagine"));
    picturePath->hide();
    logoColumn->addWidget(logoFrame);
    logoColumn->addWidget(button(QStringLiteral("Inserisci Immagine"), "BInserisciImmagine"));
    logoColumn->addWidget(button(QStringLiteral("Elimina Immagine"), "BEliminaImmagine"));
    logoColumn->addStretch();

    m_panels[0] = pan1;
    m_panels[1] = pan2;
    m_panels[2] = panImg;

    m_errorBar = new PanelStatusBar(QStringLiteral("ErrorBar"), this);

    auto* right = new QVBoxLayout;
    right->addWidget(pan2);
    right->addWidget(panImg);
    auto* body = new QHBoxLayout;
    body->addWidget(pan1, 1);
    body->addLayout(right);
    auto* screen = new QVBoxLayout(this);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->addWidget(m_toolbar);
    screen->addLayout(body, 1);
    screen->addWidget(m_errorBar);
}
