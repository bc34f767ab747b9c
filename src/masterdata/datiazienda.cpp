#include "datiazienda.h"
#include "fieldevents.h"
#include "maintenancebars.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "components/reportfailures.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <cmath>
#include <optional>

namespace {

struct Binding
{
    const char* column;
    const char* control;
};

// The text columns of Azienda and the fields that show them.
const Binding TextFields[] = {
    {"Denominazione", "Text4"}, {"Indirizzo", "Text5"}, {"CAP", "Text3"},         {"Localita", "Text6"},
    {"Pv", "Text2"},            {"Stato", "Text1"},     {"PIVA", "Text7"},        {"CodFisc", "Text9"},
    {"Telefono1", "Text11"},    {"Telefono2", "Text8"}, {"FAX", "Text13"},        {"LuogoCCIAA", "Text10"},
    {"NumCCIAA", "Text14"},     {"ValutaBase", "tValutaBase"}, {"Path", "tDocumenti"}, {"PathImg", "Immagine"},
    {"RegimeFiscale", "tRegimeFiscale"},
};

LockIdentity companyLock(const BaseComponent* base)
{
    LockIdentity id;
    id.owner = QStringLiteral("BREVANO V");
    id.screenTitle = QStringLiteral("Dati Azienda");
    id.table = QStringLiteral("Azienda");
    id.keyFields[0] = QStringLiteral("id");
    id.keyValues[0] = QStringLiteral("1");
    id.archive = base->UserDbPath;
    return id;
}

// Numbers are typed and shown in the workstation's own format.
std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// A whole number as the 16-bit fields keep it (halves go to the even neighbour).
qint16 wholeNumber(const QString& text)
{
    return qint16(std::nearbyint(number(text).value_or(0)));
}

QString shown(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace

DatiAzienda::DatiAzienda(BaseComponent* base, QWidget* parent) : ChildScreen(base, parent), m_data(new DataControl(this))
{
    setObjectName(QStringLiteral("DatiAzienda"));
    m_data->setObjectName(QStringLiteral("Data1"));
    buildForm();
    connectFields();
}

QLineEdit* DatiAzienda::field(const char* name) const
{
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

void DatiAzienda::connectFields()
{
    connect(m_toolbar, &KeyedToolbar::buttonClicked, this, &DatiAzienda::onToolbar);
    connect(m_data, &DataControl::repositioned, this, &DatiAzienda::showRecord);

    for (const char* name : {"Text1", "Text2", "Text3", "Text7", "Text9", "Text10", "tValutaBase"})
        base()->useTextKeys(field(name));
    for (const char* name : {"tDecValutaBase", "tDecEuro"})
        base()->useDigitKeys(field(name));
    base()->useDecimalKeys(field("tCambio"));
    for (const char* name : {"tDecValutaBase", "tDecEuro", "tCambio"}) {
        QLineEdit* edit = field(name);
        onFocusIn(edit, [this, edit] { base()->FocusAndSelectAll(edit); });
    }

    onDoubleClick(field("Text1"), [this] { lookUpState(); });
    onDoubleClick(field("Text2"), [this] { lookUpProvince(); });
    onDoubleClick(field("Text3"), [this] { lookUpPostalCode(); });
    onDoubleClick(field("tDocumenti"), [this] { Platform::instance().openFolder(field("tDocumenti")->text()); });
    connect(findChild<QPushButton*>(QStringLiteral("Sfoglia")), &QPushButton::clicked, this,
            [this] { base()->BrowseForFolder(winId(), field("tDocumenti")); });

    connect(field("Immagine"), &QLineEdit::textChanged, this,
            [this] { base()->ShowCompanyPicture(m_picture, field("Immagine"), QStringLiteral("::")); });
    onDoubleClick(m_picture, [this] { choosePicture(); });
    connect(findChild<QPushButton*>(QStringLiteral("BInserisciImmagine")), &QPushButton::clicked, this,
            &DatiAzienda::choosePicture);
    connect(findChild<QPushButton*>(QStringLiteral("BEliminaImmagine")), &QPushButton::clicked, this,
            &DatiAzienda::deletePicture);
}

bool DatiAzienda::openScreen()
{
    if (!ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Dati Aziendali")))
        return false;
    m_data->DatabaseName = base()->UserDbPath;
    m_data->Connect = base()->ConnectString;
    m_data->RecordSource = (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Azienda")));
    setEditing(false);
    try {
        m_data->Refresh();
    } catch (...) {
        close();
        throw;
    }
    return true;
}

void DatiAzienda::onToolbar(const QString& key)
{
    reportFailures(base()->AppTitle, [&] {
        if (key == QLatin1String("BModifica"))
            startEdit();
        else if (key == QLatin1String("BSalva"))
            save();
        else if (key == QLatin1String("BAnnulla"))
            cancel();
        else if (key == QLatin1String("BEsci"))
            close();
    });
}

void DatiAzienda::setEditing(bool editing)
{
    m_editing = editing;
    m_toolbar->setButtonsEnabled({QStringLiteral("BModifica")}, !editing);
    m_toolbar->setButtonsEnabled({QStringLiteral("BAnnulla"), QStringLiteral("BSalva")}, editing);
    for (QFrame* panel : m_panels)
        panel->setEnabled(editing);
}

void DatiAzienda::startEdit()
{
    if (!base()->lock(LockMode::Acquire, companyLock(base())))
        return;
    try {
        // The record is read again: another workstation may have changed it since it was shown.
        m_data->Refresh();
        m_data->recordset().Edit();
    } catch (...) {
        base()->lock(LockMode::Release, companyLock(base()));
        throw;
    }
    setEditing(true);
    field("Text4")->setFocus();
    ++base()->EditingScreenCount;
}

void DatiAzienda::save()
{
    if (!ValidateCompanyData())
        return;
    writeRecord();
    base()->BaseCurrency = field("tValutaBase")->text();
    base()->BaseCurrencyDecimals = wholeNumber(field("tDecValutaBase")->text());
    base()->EuroRate = number(field("tCambio")->text()).value_or(0);
    base()->EuroDecimals = wholeNumber(field("tDecEuro")->text());
    endEdit();
}

void DatiAzienda::cancel()
{
    m_data->recordset().CancelUpdate();
    showRecord();
    endEdit();
}

void DatiAzienda::endEdit()
{
    setEditing(false);
    base()->lock(LockMode::Release, companyLock(base()));
    --base()->EditingScreenCount;
}

bool DatiAzienda::queryUnload()
{
    if (!m_editing)
        return true;
    // This question has no title of its own.
    if (Platform::instance().message(QStringLiteral("Dati in Modifica. Uscire Perdendo le Modifiche ?"),
                                     Platform::Icon::None, Platform::Buttons::YesNo, QString())
        != Platform::Answer::Yes)
        return false;
    m_data->recordset().CancelUpdate();
    endEdit();
    return true;
}

void DatiAzienda::showRecord()
{
    const Recordset& rs = m_data->recordset();
    const bool onRecord = rs.isOpen() && !rs.isBOF() && !rs.isEOF();
    // A column an archive not yet upgraded lacks shows empty.
    auto value = [&](const char* column) {
        const QString name = QString::fromLatin1(column);
        return onRecord && rs.fieldIndex(name) >= 0 ? rs.value(name) : QVariant();
    };
    for (const Binding& b : TextFields)
        field(b.control)->setText(shown(value(b.column)));
    field("tDecValutaBase")->setText(shown(value("DecimaliBase")));
    const QVariant rate = value("CambioEuro");
    field("tCambio")->setText(rate.isNull() ? QString()
                                            : QLocale().toString(rate.toDouble(), 'f', QLocale::FloatingPointShortest));
    field("tDecEuro")->setText(shown(value("DecimaliEuro")));
}

void DatiAzienda::writeRecord()
{
    Recordset& rs = m_data->recordset();
    for (const Binding& b : TextFields) {
        if (rs.fieldIndex(QString::fromLatin1(b.column)) < 0)
            continue;
        const QString text = field(b.control)->text();
        rs.setValue(QString::fromLatin1(b.column), text.isEmpty() ? QVariant() : QVariant(text));
    }
    rs.setValue(QStringLiteral("DecimaliBase"), wholeNumber(field("tDecValutaBase")->text()));
    rs.setValue(QStringLiteral("CambioEuro"), number(field("tCambio")->text()).value_or(0));
    rs.setValue(QStringLiteral("DecimaliEuro"), wholeNumber(field("tDecEuro")->text()));
    rs.Update();
}

bool DatiAzienda::refuseField(const QString& message, QLineEdit* edit)
{
    m_errorBar->setPanel1(message);
    base()->FocusAndSelectAll(edit);
    return false;
}

bool DatiAzienda::ValidateCompanyData()
{
    m_errorBar->setPanel1(QString());
    QLineEdit* currency = field("tValutaBase");
    QLineEdit* currencyDecimals = field("tDecValutaBase");
    QLineEdit* rate = field("tCambio");
    QLineEdit* euroDecimals = field("tDecEuro");
    const QString wrongDecimals = QStringLiteral("Numero Decimali Errato");
    const QString tooManyDecimals = QStringLiteral("Valore Massimo Decimali = 3");
    const QString wrongRate = QStringLiteral("Cambio in Euro Errato");

    if (currency->text().isEmpty())
        return refuseField(QStringLiteral("Valuta Base Non Inserita"), currency);
    if (!number(currencyDecimals->text()))
        return refuseField(wrongDecimals, currencyDecimals);
    if (*number(currencyDecimals->text()) > 3)
        return refuseField(tooManyDecimals, currencyDecimals);
    if (rate->text().isEmpty())
        rate->setText(QStringLiteral("0"));
    const std::optional<double> rateValue = number(rate->text());
    if (!rateValue || *rateValue < 0)
        return refuseField(wrongRate, rate);
    if (!number(euroDecimals->text()))
        return refuseField(wrongDecimals, euroDecimals);
    if (*number(euroDecimals->text()) > 3)
        return refuseField(tooManyDecimals, euroDecimals);
    const int decimals = std::max<int>(0, wholeNumber(euroDecimals->text()));
    rate->setText(QLocale().toString(*rateValue, 'f', decimals));
    return true;
}

void DatiAzienda::showLookupError(const QString& error)
{
    Platform::instance().refuse(error, base()->AppTitle);
}

void DatiAzienda::lookUpState()
{
    const QString error = base()->ShowLookup(21, JetQuery("-1"));
    if (!error.isEmpty())
        showLookupError(error);
    else if (!base()->DialogResult.isEmpty())
        field("Text1")->setText(base()->DialogResult);
}

void DatiAzienda::lookUpProvince()
{
    JetQuery filter("SELECT * FROM ");
    filter << Jet::table(QStringLiteral("PROVINCIE")) << " WHERE IDSTATO=" << Jet::text(field("Text1")->text());
    base()->SelectedProvince.clear();
    const QString error = base()->ShowLookup(22, filter);
    if (!error.isEmpty())
        showLookupError(error);
    else if (!base()->SelectedProvince.isEmpty())
        field("Text2")->setText(base()->SelectedProvince);
}

void DatiAzienda::lookUpPostalCode()
{
    JetQuery filter("SELECT * FROM ");
    filter << Jet::table(QStringLiteral("CAP")) << " WHERE IDSTATO=" << Jet::text(field("Text1")->text()) << " AND IDPROVINCIA=" << Jet::text(field("Text2")->text());
    base()->SelectedPostalCode.clear();
    const QString error = base()->ShowLookup(23, filter);
    if (!error.isEmpty())
        showLookupError(error);
    else if (!base()->SelectedPostalCode.isEmpty())
        field("Text3")->setText(base()->SelectedPostalCode);
}

void DatiAzienda::choosePicture()
{
    try {
        base()->ShowPictureDialog();
    } catch (const std::exception& e) {
        Platform::instance().refuse(QString::fromUtf8(e.what()), base()->AppTitle);
        return;
    }
    base()->ShowCompanyPicture(m_picture, field("Immagine"), base()->DialogResult);
}

void DatiAzienda::deletePicture()
{
    if (!Platform::instance().ask(QStringLiteral("Vuoi eliminare l'immagine dell'Azienda?"), base()->AppTitle))
        return;
    m_picture->clear();
    field("Immagine")->setText(QStringLiteral("0"));
}
