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

QLineEdit* addField(QFormLayout* form, const QString& caption, const char* name, const QString& spokenName = {})
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    form->addRow(caption, edit);
    // Two fields share the caption "Telefono": a screen reader tells them apart.
    edit->setAccessibleName(spokenName.isEmpty() ? caption : spokenName);
    return edit;
}

QLineEdit* addNumber(QFormLayout* form, const QString& caption, const char* name)
{
    QLineEdit* edit = addField(form, caption, name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(140);
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
    Text4 = addField(company, QStringLiteral("Denominazione"), "Text4");
    Text5 = addField(company, QStringLiteral("Indirizzo"), "Text5");
    Text3 = addField(company, QStringLiteral("C.A.P."), "Text3");
    Text6 = addField(company, QStringLiteral("Località"), "Text6");
    Text2 = addField(company, QStringLiteral("Prov."), "Text2", QStringLiteral("Provincia"));
    Text1 = addField(company, QStringLiteral("Stato"), "Text1");
    Text7 = addField(company, QStringLiteral("Partita I.V.A."), "Text7");
    Text9 = addField(company, QStringLiteral("Cd. Fiscale"), "Text9", QStringLiteral("Codice Fiscale"));
    Text11 = addField(company, QStringLiteral("Telefono"), "Text11", QStringLiteral("Telefono 1"));
    Text8 = addField(company, QStringLiteral("Telefono"), "Text8", QStringLiteral("Telefono 2"));
    Text13 = addField(company, QStringLiteral("FAX"), "Text13");
    Text10 = addField(company, QStringLiteral("C.C.I.A.A."), "Text10");
    Text14 = addField(company, QStringLiteral("Numero"), "Text14", QStringLiteral("Numero C.C.I.A.A."));
    // The fiscal regime the electronic invoices declare (RF01 ordinary, RF19 flat rate, ...).
    tRegimeFiscale = addField(company, QStringLiteral("Regime Fiscale"), "tRegimeFiscale");
    // Names and addresses read whole.
    for (QLineEdit* edit : {Text4, Text5, Text6})
        edit->setMinimumWidth(280);

    QFrame* pan2 = panel("Pan2");
    auto* currency = new QFormLayout(pan2);
    tValutaBase = addField(currency, QStringLiteral("Valuta Base"), "tValutaBase");
    tValutaBase->setMaximumWidth(140);
    tDecValutaBase = addNumber(currency, QStringLiteral("Dec. Valuta Base"), "tDecValutaBase");
    tCambio = addNumber(currency, QStringLiteral("Cambio Euro"), "tCambio");
    tDecEuro = addNumber(currency, QStringLiteral("Dec. Euro"), "tDecEuro");
    auto* folderRow = new QHBoxLayout;
    tDocumenti = new QLineEdit;
    tDocumenti->setObjectName(QStringLiteral("tDocumenti"));
    tDocumenti->setAccessibleName(QStringLiteral("Directory Documenti"));
    folderRow->addWidget(tDocumenti, 1);
    m_browse = button(QStringLiteral("Sfoglia..."), "Sfoglia");
    folderRow->addWidget(m_browse);
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
    m_picture->setAccessibleName(QStringLiteral("Logo dell'Azienda"));
    logoLayout->addWidget(m_picture);
    Immagine = new QLineEdit(logoFrame);
    Immagine->setObjectName(QStringLiteral("Immagine"));
    Immagine->hide();
    logoColumn->addWidget(logoFrame);
    m_insertPicture = button(QStringLiteral("Inserisci Immagine"), "BInserisciImmagine");
    m_deletePicture = button(QStringLiteral("Elimina Immagine"), "BEliminaImmagine");
    logoColumn->addWidget(m_insertPicture);
    logoColumn->addWidget(m_deletePicture);
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
