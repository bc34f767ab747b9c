#include "datiazienda.h"
#include "fieldevents.h"
#include "maintenancebars.h"
#include "common/datacontrol.h"
#include "common/platform.h"
#include "common/typednumber.h"
#include "components/reportfailures.h"
#include "components/screenframe.h"
#include "components/taxcodeproblem.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <cmath>
#include <optional>

namespace {


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

// Numbers are typed and shown the Italian way ("1.936,27").
std::optional<double> number(const QString& text)
{
    return readTypedNumber(text);
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

// The text columns of Azienda and the fields that show them.
struct DatiAzienda::Binding
{
    const char* column;
    QLineEdit* DatiAzienda::*control;
};

const DatiAzienda::Binding DatiAzienda::TextFields[] = {
    {"Denominazione", &DatiAzienda::Text4}, {"Indirizzo", &DatiAzienda::Text5},  {"CAP", &DatiAzienda::Text3},
    {"Localita", &DatiAzienda::Text6},      {"Pv", &DatiAzienda::Text2},         {"Stato", &DatiAzienda::Text1},
    {"PIVA", &DatiAzienda::Text7},          {"CodFisc", &DatiAzienda::Text9},    {"Telefono1", &DatiAzienda::Text11},
    {"Telefono2", &DatiAzienda::Text8},     {"FAX", &DatiAzienda::Text13},       {"LuogoCCIAA", &DatiAzienda::Text10},
    {"NumCCIAA", &DatiAzienda::Text14},     {"ValutaBase", &DatiAzienda::tValutaBase},
    {"Path", &DatiAzienda::tDocumenti},     {"PathImg", &DatiAzienda::Immagine},
    {"RegimeFiscale", &DatiAzienda::tRegimeFiscale},
};

void DatiAzienda::connectFields()
{
    connect(m_toolbar, &KeyedToolbar::buttonClicked, this, &DatiAzienda::onToolbar);
    connect(m_data, &DataControl::repositioned, this, &DatiAzienda::showRecord);

    for (QLineEdit* edit : {Text1, Text2, Text3, Text7, Text9, Text10, tValutaBase})
        base()->useTextKeys(edit);
    for (QLineEdit* edit : {tDecValutaBase, tDecEuro})
        base()->useDigitKeys(edit);
    base()->useDecimalKeys(tCambio);
    for (QLineEdit* edit : {tDecValutaBase, tDecEuro, tCambio})
        onFocusIn(edit, [this, edit] { base()->FocusAndSelectAll(edit); });

    // The look-ups change the record: they open only while it is being edited.
    ScreenFrame::useLookup(Text1, [this] { if (m_editing) lookUpState(); });
    ScreenFrame::useLookup(Text2, [this] { if (m_editing) lookUpProvince(); });
    ScreenFrame::useLookup(Text3, [this] { if (m_editing) lookUpPostalCode(); });
    onDoubleClick(tDocumenti, [this] { Platform::instance().openFolder(tDocumenti->text()); });
    connect(m_browse, &QPushButton::clicked, this, [this] { base()->BrowseForFolder(winId(), tDocumenti); });

    connect(Immagine, &QLineEdit::textChanged, this,
            [this] { base()->ShowCompanyPicture(m_picture, Immagine, QStringLiteral("::")); });
    onDoubleClick(m_picture, [this] { if (m_editing) choosePicture(); });
    connect(m_insertPicture, &QPushButton::clicked, this, &DatiAzienda::choosePicture);
    connect(m_deletePicture, &QPushButton::clicked, this, &DatiAzienda::deletePicture);
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
        ScreenFrame::setReadOnly(panel, !editing);
}

void DatiAzienda::startEdit()
{
    std::optional<HeldLock> lock = HeldLock::take(*base(), companyLock(base()));
    if (!lock)
        return;
    // The record is read again: another workstation may have changed it since it was shown.
    m_data->Refresh();
    m_data->recordset().Edit();
    m_lock = std::move(lock);
    setEditing(true);
    Text4->setFocus();
    ++base()->EditingScreenCount;
    editStarted();
}

void DatiAzienda::save()
{
    if (!ValidateCompanyData() || !taxCodesKept())
        return;
    writeRecord();
    base()->BaseCurrency = tValutaBase->text();
    base()->BaseCurrencyDecimals = wholeNumber(tDecValutaBase->text());
    base()->EuroRate = number(tCambio->text()).value_or(0);
    base()->EuroDecimals = wholeNumber(tDecEuro->text());
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
    m_lock.reset();
    --base()->EditingScreenCount;
}

bool DatiAzienda::queryUnload()
{
    if (!m_editing)
        return true;
    // This question has no title of its own.
    if (Platform::instance().message(QStringLiteral("Dati in Modifica. Uscire Perdendo le Modifiche ?"),
                                     Platform::Icon::None, Platform::Buttons::YesNo, QString(), Platform::Answer::No)
        != Platform::Answer::Yes)
        return false;
    endEdit();  // what was typed goes with the screen
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
        (this->*b.control)->setText(shown(value(b.column)));
    tDecValutaBase->setText(shown(value("DecimaliBase")));
    const QVariant rate = value("CambioEuro");
    const QVariant rateDecimals = value("DecimaliEuro");
    tCambio->setText(rate.isNull() ? QString()
                                   : QLocale().toString(rate.toDouble(), 'f',
                                                        rateDecimals.isNull() ? int(QLocale::FloatingPointShortest)
                                                                              : rateDecimals.toInt()));
    tDecEuro->setText(shown(rateDecimals));
    // A value longer than its field, in a narrow frame, shows its beginning.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setCursorPosition(0);
}

void DatiAzienda::writeRecord()
{
    Recordset& rs = m_data->recordset();
    for (const Binding& b : TextFields) {
        if (rs.fieldIndex(QString::fromLatin1(b.column)) < 0)
            continue;
        const QString text = (this->*b.control)->text();
        rs.setValue(QString::fromLatin1(b.column), text.isEmpty() ? QVariant() : QVariant(text));
    }
    rs.setValue(QStringLiteral("DecimaliBase"), wholeNumber(tDecValutaBase->text()));
    rs.setValue(QStringLiteral("CambioEuro"), number(tCambio->text()).value_or(0));
    rs.setValue(QStringLiteral("DecimaliEuro"), wholeNumber(tDecEuro->text()));
    rs.Update();
}

bool DatiAzienda::refuseField(const QString& message, QLineEdit* edit)
{
    m_errorBar->refuse(message, {edit});
    base()->FocusAndSelectAll(edit);
    return false;
}

// A VAT number or fiscal code changed to one that breaks the Italian rules is kept only when the
// clerk says so.
bool DatiAzienda::taxCodesKept()
{
    const struct
    {
        QLineEdit* field;
        const char* column;
        QString problem;
    } codes[] = {{Text7, "PIVA", vatNumberProblem(Text7->text())}, {Text9, "CodFisc", fiscalCodeProblem(Text9->text())}};
    for (const auto& code : codes) {
        const bool changed = m_data->recordset().value(QString::fromLatin1(code.column)).toString().trimmed()
                             != code.field->text().trimmed();
        if (changed && !code.problem.isEmpty() && !keepDoubtfulCode(code.problem, base()->AppTitle))
            return refuseField(code.problem, code.field);
    }
    return true;
}

bool DatiAzienda::ValidateCompanyData()
{
    m_errorBar->setPanel1(QString());
    QLineEdit* currency = tValutaBase;
    QLineEdit* currencyDecimals = tDecValutaBase;
    QLineEdit* rate = tCambio;
    QLineEdit* euroDecimals = tDecEuro;
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
        Text1->setText(base()->DialogResult);
}

void DatiAzienda::lookUpProvince()
{
    JetQuery filter("SELECT * FROM ");
    filter << Jet::table(QStringLiteral("PROVINCIE")) << " WHERE IDSTATO=" << Jet::text(Text1->text());
    base()->SelectedProvince.clear();
    const QString error = base()->ShowLookup(22, filter);
    if (!error.isEmpty())
        showLookupError(error);
    else if (!base()->SelectedProvince.isEmpty())
        Text2->setText(base()->SelectedProvince);
}

void DatiAzienda::lookUpPostalCode()
{
    JetQuery filter("SELECT * FROM ");
    filter << Jet::table(QStringLiteral("CAP")) << " WHERE IDSTATO=" << Jet::text(Text1->text())
           << " AND IDPROVINCIA=" << Jet::text(Text2->text());
    base()->SelectedPostalCode.clear();
    const QString error = base()->ShowLookup(23, filter);
    if (!error.isEmpty())
        showLookupError(error);
    else if (!base()->SelectedPostalCode.isEmpty())
        Text3->setText(base()->SelectedPostalCode);
}

void DatiAzienda::choosePicture()
{
    try {
        base()->ShowPictureDialog();
    } catch (const std::exception& e) {
        Platform::instance().refuse(QString::fromUtf8(e.what()), base()->AppTitle);
        return;
    }
    base()->ShowCompanyPicture(m_picture, Immagine, base()->DialogResult);
}

void DatiAzienda::deletePicture()
{
    if (!Platform::instance().askDestructive(QStringLiteral("Vuoi eliminare l'immagine dell'Azienda?"), base()->AppTitle))
        return;
    m_picture->clear();
    Immagine->setText(QStringLiteral("0"));
}
