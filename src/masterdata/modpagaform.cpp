// The widgets of the payment-terms screen.
#include "maintenancebars.h"
#include "modpaga.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

QLineEdit* namedEdit(const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

// A picture of the program folder; a missing file leaves the label empty, at the given size.
QLabel* picture(QWidget* parent, const QString& name, const QString& file, QSize size)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    const QPixmap pixmap(file);
    if (!pixmap.isNull()) {
        label->setPixmap(pixmap);
        size.setWidth(pixmap.width() * size.height() / std::max(1, pixmap.height()));
    }
    label->setScaledContents(true);
    label->resize(size);
    return label;
}

constexpr int BannerHeight = 56;

} // namespace

void ModPaga::buildForm()
{
    m_toolbar = new KeyedToolbar(QStringLiteral("AnagToolbar"),
                                 {{QStringLiteral("BNuovo"), QStringLiteral("Nuovo")},
                                  {QStringLiteral("BModifica"), QStringLiteral(" Modifica ")},
                                  {QStringLiteral("BAnnulla"), QStringLiteral("Annulla")},
                                  {QStringLiteral("BSalva"), QStringLiteral("Salva")},
                                  {QStringLiteral("BElimina"), QStringLiteral("Elimina")},
                                  {QStringLiteral("BPrimo"), QStringLiteral("Primo")},
                                  {QStringLiteral("BIndietro"), QStringLiteral("Prec.")},
                                  {QStringLiteral("BAvanti"), QStringLiteral("Succ.")},
                                  {QStringLiteral("BUltimo"), QStringLiteral("Ultimo")},
                                  {QStringLiteral("BEsci"), QStringLiteral("Esci")}},
                                 this);

    // The banner strip: its two pictures are placed by hand when the screen is resized.
    auto* strip = new QWidget;
    strip->setFixedHeight(BannerHeight);
    const QDir programFolder(base()->AppPath);
    m_banner = picture(strip, QStringLiteral("ImageTarmel"), programFolder.filePath(QStringLiteral("ImageTarmel.png")),
                       QSize(400, BannerHeight));
    m_logo = picture(strip, QStringLiteral("ImageTarmel2"), programFolder.filePath(QStringLiteral("ImageTarmel2.png")),
                     QSize(120, BannerHeight - 8));
    m_logo->move(m_logo->x(), 4);

    m_dataFrame = new QGroupBox;
    m_dataFrame->setObjectName(QStringLiteral("FRMDati"));
    auto* fields = new QFormLayout;
    m_code = namedEdit(QStringLiteral("tCod"));
    m_description = namedEdit(QStringLiteral("tDesc"));
    m_rate = namedEdit(QStringLiteral("tRate"));
    m_monthEnd = new QCheckBox(QStringLiteral("Fine Mese"));
    m_monthEnd->setObjectName(QStringLiteral("tFineMese"));
    fields->addRow(QStringLiteral("Codice"), m_code);
    fields->addRow(QStringLiteral("Descrizione"), m_description);
    fields->addRow(QStringLiteral("Numero delle Rate"), m_rate);
    fields->addRow(QString(), m_monthEnd);
    m_rate->setAlignment(Qt::AlignRight);
    m_rate->setMaximumWidth(80);
    m_code->setMaximumWidth(160);

    auto* dueDays = new QGroupBox(QStringLiteral("Giorni di Scadenze Rate "));
    dueDays->setObjectName(QStringLiteral("FRMScad"));
    auto* grid = new QGridLayout(dueDays);
    for (int i = 0; i < 12; ++i) {
        m_days[i] = namedEdit(QStringLiteral("R%1").arg(i + 1));
        m_days[i]->setAccessibleName(QStringLiteral("Rata %1").arg(i + 1));
        m_days[i]->setAlignment(Qt::AlignRight);
        const int row = (i / 6) * 2;
        grid->addWidget(new QLabel(QString::number(i + 1)), row, i % 6, Qt::AlignHCenter);
        grid->addWidget(m_days[i], row + 1, i % 6);
    }
    auto* frameLayout = new QVBoxLayout(m_dataFrame);
    frameLayout->addLayout(fields);
    frameLayout->addWidget(dueDays);

    m_messages = new PanelStatusBar(QStringLiteral("SBMess"), this);

    auto* screen = new QVBoxLayout(this);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->addWidget(m_toolbar);
    screen->addWidget(strip);
    screen->addWidget(m_dataFrame, 1);
    screen->addWidget(m_messages);
}
