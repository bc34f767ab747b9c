#include "aboutbox.h"
#include "components/basecomponent.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "components/failuremessage.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

frmAbout::frmAbout(BaseComponent* base, QWidget* parent) : QDialog(parent), m_base(base), m_data(new DataControl(this))
{
    setObjectName(QStringLiteral("frmAbout"));
    auto* layout = new QGridLayout(this);

    // The maker's mark and the whole background picture, scaled down, never cropped.
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setAccessibleName(QStringLiteral("Tarmel"));
    const QPixmap mark(m_base->AppPath + QStringLiteral("/ImageTarmel2.png"));
    if (!mark.isNull())
        logo->setPixmap(mark);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image2"));
    picture->setAccessibleName(QStringLiteral("Brevano V"));
    const QPixmap background(m_base->AppPath + QStringLiteral("/Sfondo.jpg"));
    if (!background.isNull())
        picture->setPixmap(background.scaled(400, 250, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    auto* product = new QLabel(QStringLiteral("<b>Brevano V</b><br>Gestione commerciale e di magazzino per "
                                              "le piccole e medie imprese."),
                               this);
    product->setObjectName(QStringLiteral("Label1"));
    auto* maker = new QLabel(QStringLiteral("Tarmel S.r.l. - software gestionale<br>www.tarmel.it"), this);
    maker->setObjectName(QStringLiteral("Label2"));
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Version"));
    auto* leave = new QPushButton(QStringLiteral("&Esci"), this);
    leave->setObjectName(QStringLiteral("Esci"));
    leave->setDefault(true);
    connect(leave, &QPushButton::clicked, this, &QDialog::accept);

    layout->addWidget(picture, 0, 0, 1, 2);
    layout->addWidget(logo, 1, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(product, 1, 1);
    layout->addWidget(maker, 2, 1);
    layout->addWidget(m_version, 3, 1);
    layout->addWidget(leave, 4, 1, Qt::AlignRight);

    setWindowTitle(m_base->AppTitle + QStringLiteral(" : About"));
    m_base->PrepareDialog(this);
    m_activated = false;
    m_data->setObjectName(QStringLiteral("Data1"));
    m_data->DatabaseName = m_base->UserDbPath;
    m_data->Connect = m_base->ConnectString;
    m_data->RecordSource = (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Versione")));
    m_data->ReadOnly = true;
}

bool frmAbout::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        showVersion();
        m_activated = true;
    }
    return QDialog::event(event);
}

void frmAbout::showVersion()
{
    try {
        m_data->Refresh();
        const Recordset& rows = m_data->recordset();
        const qint32 version = rows.isEOF() ? 0 : rows.value(QStringLiteral("Versione")).toInt();
        m_version->setText(QStringLiteral("Versione Numero : ") + QString::number(version));
    } catch (const DatabaseError& e) {
        Platform::instance().refuse(failureMessage(e), m_base->AppTitle);
    }
    m_data->close();
}
