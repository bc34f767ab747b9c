// Data-control binding: the detail controls of a screen are named after the columns they show
// and carry no binding of their own; these three operations connect them to the rows.
//
// PrepareDataControl(data, screen) fills, from the data control's current row, every control of
// the screen whose objectName is the name of one of its columns (names compare without regard to
// case, as the archive's do). Controls that take part: QLineEdit, QLabel and QCheckBox. Values are
// written as users read them:
//   Null -> empty; whole numbers as they are; decimals in the workstation's form without
//   grouping; a stored day "yyyy-MM-dd" -> "dd/mm/yyyy"; a stored moment "yyyy-MM-dd hh:mm:ss"
//   -> "dd/mm/yyyy hh:mm:ss"; check boxes are ticked for a true (non-zero) value.
// Without a current row (data control closed or empty, before the first or past the last row)
// the controls are cleared. The fill does not follow later moves: screens call it after each.
//
// PreparePanel(panel, screen) clears the data controls inside a panel: every line edit and check
// box, and the labels PrepareDataControl filled (caption labels keep their text).
//
// AttachRecordset(screen, row) stores into a row that the caller put into edit (Edit or AddNew)
// the value of every control of the screen named after one of the row's columns that the user
// can change there: an enabled line edit that is not read-only or an enabled check box (labels
// never count), then updates the row. Typed text becomes the column's value: empty -> Null; for a column holding a
// whole number or a decimal, the number the text reads (a text that reads no number is refused
// with DatabaseError, the row left in edit); for a column holding a stored day, the typed
// "dd/mm/yyyy" day; otherwise the text as typed.
#include "baseclass.h"
#include "common/datacontrol.h"
#include "common/jetdate.h"
#include "common/typednumber.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>

namespace {

// Marks the labels that show a column, so that a panel can be cleared without its captions.
const char* const BoundColumn = "boundColumn";

const QString StoredDay = QStringLiteral("yyyy-MM-dd");
const QString StoredMoment = QStringLiteral("yyyy-MM-dd HH:mm:ss");

bool isStoredDay(const QVariant& value)
{
    static const QRegularExpression day(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return value.typeId() == QMetaType::QString && day.match(value.toString()).hasMatch();
}

bool isStoredMoment(const QVariant& value)
{
    static const QRegularExpression moment(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}[ T]\\d{2}:\\d{2}:\\d{2}$"));
    return value.typeId() == QMetaType::QString && moment.match(value.toString()).hasMatch();
}

bool isWholeNumber(const QVariant& value)
{
    return value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int;
}

QLocale plainLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString shownText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    if (value.typeId() == QMetaType::Double)
        return plainLocale().toString(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    if (isStoredDay(value))
        return typedDate(QDate::fromString(value.toString(), StoredDay));
    if (isStoredMoment(value)) {
        QString text = value.toString();
        text[10] = u' ';
        return QDateTime::fromString(text, StoredMoment).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    return value.toString();
}

bool isInput(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QCheckBox*>(w);
}

void fill(QWidget* w, const QVariant& value)
{
    const QString text = shownText(value);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
        edit->setCursorPosition(0);  // a long value shows its beginning, not its end
    } else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* check = qobject_cast<QCheckBox*>(w))
        check->setChecked(!value.isNull() && value.toBool());
}

void clear(QWidget* w)
{
    if (qobject_cast<QLabel*>(w) && !w->property(BoundColumn).isValid())
        return;
    fill(w, QVariant());
}

[[noreturn]] void refuseValue(const QString& field)
{
    throw DatabaseError(DatabaseError::Kind::Refused,
                        QStringLiteral("Tipo di dati non corrispondente nel campo '%1'.").arg(field));
}

// The value a typed text gives a column, judged by what the column holds now.
QVariant storedValue(const QString& field, const QString& text, const QVariant& current)
{
    if (text.trimmed().isEmpty() || text == EmptyMaskedDate)
        return QVariant();
    bool ok = false;
    if (isWholeNumber(current)) {
        const qint64 number = text.trimmed().toLongLong(&ok);
        if (!ok)
            refuseValue(field);
        return number;
    }
    if (current.typeId() == QMetaType::Double) {
        const std::optional<double> number = readTypedNumber(text);
        if (!number)
            refuseValue(field);
        return *number;
    }
    if (isStoredDay(current)) {
        const auto day = parseTypedDate(text);
        if (!day)
            refuseValue(field);
        return *day;
    }
    return text;
}

// The controls of a screen named after a column, by lower-case column name.
QMultiHash<QString, QWidget*> namedControls(QWidget* screen)
{
    QMultiHash<QString, QWidget*> out;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && (isInput(w) || qobject_cast<QLabel*>(w)))
            out.insert(w->objectName().toLower(), w);
    }
    return out;
}

} // namespace

void BaseClass::PrepareDataControl(DataControl* data, QWidget* screen)
{
    const Recordset& rs = data->recordset();
    const bool onRow = data->isOpen() && !rs.isBOF() && !rs.isEOF();
    const QMultiHash<QString, QWidget*> controls = namedControls(screen);
    for (const QString& field : rs.fieldNames()) {
        for (QWidget* w : controls.values(field.toLower())) {
            w->setProperty(BoundColumn, field);
            onRow ? fill(w, rs.value(field)) : clear(w);
        }
    }
}

void BaseClass::PreparePanel(QWidget* panel, QWidget*)
{
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (isInput(w) || qobject_cast<QLabel*>(w))
            clear(w);
    }
}

void BaseClass::AttachRecordset(QWidget* screen, Recordset& row)
{
    const QMultiHash<QString, QWidget*> controls = namedControls(screen);
    for (const QString& field : row.fieldNames()) {
        for (QWidget* w : controls.values(field.toLower())) {
            if (!w->isEnabledTo(screen))
                continue;
            if (auto* check = qobject_cast<QCheckBox*>(w))
                row.setValue(field, check->isChecked());
            else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->isReadOnly())
                row.setValue(field, storedValue(field, edit->text(), row.value(field)));
        }
    }
    row.Update();
}
