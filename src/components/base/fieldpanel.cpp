#include "fieldpanel.h"
#include "components/basecomponent.h"
#include "common/passwordhash.h"
#include "common/database.h"
#include "common/jetdate.h"
#include "common/recordset.h"
#include "common/typednumber.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSqlQuery>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

namespace {

bool isNumber(FieldKind kind)
{
    return kind == FieldKind::Decimal || kind == FieldKind::Amount || kind == FieldKind::EuroAmount
           || kind == FieldKind::Digits;
}

bool isDecimal(FieldKind kind)
{
    return kind == FieldKind::Decimal || kind == FieldKind::Amount || kind == FieldKind::EuroAmount;
}

// How many decimals a number field holds: an amount its currency's, other numbers as many as they
// have.
int decimalsOf(FieldKind kind, const BaseComponent* base)
{
    if (kind == FieldKind::Amount)
        return std::clamp(int(base->BaseCurrencyDecimals), 0, 3);
    if (kind == FieldKind::EuroAmount)
        return std::clamp(int(base->EuroDecimals), 0, 3);
    return QLocale::FloatingPointShortest;
}

QString shownText(const QVariant& value, FieldKind kind, const BaseComponent* base)
{
    if (value.isNull())
        return {};
    switch (kind) {
    case FieldKind::Decimal:
    case FieldKind::Amount:
    case FieldKind::EuroAmount: {
        // An amount reads as in the grids: the currency's decimals, thousands grouped; another
        // number with the decimals it has.
        bool ok = false;
        const double d = value.toDouble(&ok);
        return ok ? QLocale().toString(d, 'f', decimalsOf(kind, base)) : value.toString();
    }
    case FieldKind::Date: {
        const QDate d = storedDate(value);
        return d.isValid() ? typedDate(d) : QString();
    }
    default:
        return value.toString();
    }
}

bool isBlank(const QString& text, FieldKind kind)
{
    if (kind == FieldKind::Date)
        return !text.contains(QRegularExpression(QStringLiteral("\\d")));
    return text.trimmed().isEmpty();
}

} // namespace

FieldPanel::FieldPanel(BaseComponent* base, const TableDefinition& table, QWidget* parent)
    : QWidget(parent), m_base(base), m_table(table)
{
    auto* grid = new QGridLayout(this);
    // Long definitions are laid out in two or three columns of label and field, so that every
    // field shows without scrolling.
    const int count = int(m_table.fields.size());
    const int columns = count > 16 ? 3 : count > 8 ? 2 : 1;
    const int perColumn = (count + columns - 1) / columns;
    for (int i = 0; i < m_table.fields.size(); ++i) {
        const FieldSpec& spec = m_table.fields[i];
        QWidget* editor = nullptr;
        if (spec.kind == FieldKind::Flag) {
            auto* check = new QCheckBox(spec.label, this);
            editor = check;
        } else {
            auto* edit = new QLineEdit(this);
            switch (spec.kind) {
            case FieldKind::Digits: m_base->useDigitKeys(edit); break;
            case FieldKind::Decimal:
            case FieldKind::Amount:
            case FieldKind::EuroAmount: m_base->useDecimalKeys(edit, decimalsOf(spec.kind, m_base)); break;
            case FieldKind::Date: edit->setInputMask(DateInputMask); break;
            case FieldKind::Secret:
                edit->setEchoMode(QLineEdit::Password);
                m_base->useTextKeys(edit);
                break;
            default: m_base->useTextKeys(edit); break;
            }
            if (isNumber(spec.kind))
                edit->setAlignment(Qt::AlignRight);
            editor = edit;
        }
        editor->setObjectName(spec.column);
        editor->setAccessibleName(spec.label);
        const int row = i % perColumn, column = (i / perColumn) * 2;
        if (spec.kind != FieldKind::Flag) {
            auto* label = new QLabel(spec.label, this);
            label->setBuddy(editor);
            grid->addWidget(label, row, column);
        }
        const std::optional<Reference> reference = referenceOf(m_table.table, spec.column);
        if (!reference) {
            grid->addWidget(editor, row, column + 1);
        } else {
            // The code and, beside it, the name of the record it stands for.
            auto* pair = new QHBoxLayout;
            editor->setMaximumWidth(80);
            auto* name = new QLineEdit(this);
            name->setObjectName(spec.column + QStringLiteral("_Desc"));
            name->setReadOnly(true);
            name->setFocusPolicy(Qt::NoFocus);
            name->setAccessibleName(spec.label + QStringLiteral(" (descrizione)"));
            pair->addWidget(editor);
            pair->addWidget(name, 1);
            grid->addLayout(pair, row, column + 1);
            auto* code = static_cast<QLineEdit*>(editor);
            connect(code, &QLineEdit::textChanged, name, [this, reference, name](const QString& text) {
                name->setText(referredName(*reference, text));
                name->setCursorPosition(0);
            });
        }
        m_fields << editor;
    }
    if (!m_table.pictureColumn.isEmpty()) {
        m_picture = new QLabel(this);
        m_picture->setObjectName(QStringLiteral("Immagine"));
        m_picture->setFixedSize(200, 150);
        m_picture->setFrameShape(QFrame::StyledPanel);
        m_picture->setAlignment(Qt::AlignCenter);
        m_browse = new QPushButton(QStringLiteral("&Sfoglia..."), this);
        m_browse->setObjectName(QStringLiteral("BSfoglia"));
        connect(m_browse, &QPushButton::clicked, this, &FieldPanel::choosePicture);
        grid->addWidget(m_picture, 0, 2, perColumn, 1);
        grid->addWidget(m_browse, perColumn, 2);
    }
    grid->setRowStretch(perColumn + 1, 1);
    pairAmounts();
}

void FieldPanel::pairAmounts()
{
    // An amount in the base currency (PrezzoVen) and the same in euro (PrezzoVenEuro): typing
    // one converts it into the other at the company's rate, rounded to the other's decimals.
    for (int i = 0; i < m_fields.size(); ++i) {
        const FieldSpec& base = m_table.fields[i];
        auto* euro = base.kind == FieldKind::Amount ? qobject_cast<QLineEdit*>(field(base.column + QStringLiteral("Euro")))
                                                    : nullptr;
        if (!euro)
            continue;
        auto* lire = static_cast<QLineEdit*>(m_fields[i]);
        const auto follow = [this](QLineEdit* from, FieldKind fromKind, QLineEdit* to, FieldKind toKind, bool toEuro) {
            connect(from, &QLineEdit::textEdited, to, [=, this](const QString& text) {
                const std::optional<double> typed = readTypedNumber(text, decimalsOf(fromKind, m_base));
                if (m_base->EuroRate <= 0 || (!typed && !text.trimmed().isEmpty()))
                    return;
                if (!typed) {
                    to->clear();
                    return;
                }
                const double factor = toEuro ? 1.0 / m_base->EuroRate : m_base->EuroRate;
                const int decimals = decimalsOf(toKind, m_base);
                to->setText(QLocale().toString(convertAmount(*typed, factor, decimals), 'f', decimals));
            });
        };
        follow(lire, FieldKind::Amount, euro, FieldKind::EuroAmount, true);
        follow(euro, FieldKind::EuroAmount, lire, FieldKind::Amount, false);
    }
}

QString FieldPanel::referredName(const Reference& reference, const QString& code) const
{
    if (code.trimmed().isEmpty())
        return {};
    try {
        JetQuery q;
        q << "SELECT " << Jet::identifier(reference.nameColumn) << " FROM " << Jet::identifier(reference.table)
          << " WHERE Codice = " << Jet::text(code.trimmed());
        // Read as Rows: a QSqlQuery copied out of them would share the statement they hand back
        // to the archive's cache when they go.
        Rows found = m_base->dataArchive().select(q);
        return found.next() ? found.value(0).toString() : QString();
    } catch (const DatabaseError& e) {
        // A name that cannot be read leaves the code alone on screen, unless the archive is
        // damaged: a blank would pass for a code that does not exist.
        return e.kind() == DatabaseError::Kind::Damaged ? QStringLiteral("(archivio danneggiato)") : QString();
    }
}

QWidget* FieldPanel::field(const QString& column) const
{
    for (QWidget* w : m_fields)
        if (w->objectName().compare(column, Qt::CaseInsensitive) == 0)
            return w;
    return nullptr;
}

void FieldPanel::setKeyEditable(bool editable)
{
    keyField()->setEnabled(editable);
}

void FieldPanel::setEditing(bool editing)
{
    for (QWidget* w : m_fields) {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setReadOnly(!editing);
        } else {
            // A check box keeps its look but does not toggle while browsing.
            w->setAttribute(Qt::WA_TransparentForMouseEvents, !editing);
            w->setFocusPolicy(editing ? Qt::StrongFocus : Qt::NoFocus);
        }
    }
    if (m_browse)
        m_browse->setEnabled(editing);
}

void FieldPanel::showRow(const Recordset& rows)
{
    if (!rows.isOpen() || rows.isBOF() || rows.isEOF()) {
        clearFields();
        return;
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        const FieldSpec& spec = m_table.fields[i];
        const QVariant value = rows.fieldIndex(spec.column) >= 0 ? rows.value(spec.column) : QVariant();
        if (auto* check = qobject_cast<QCheckBox*>(m_fields[i]))
            check->setChecked(!value.isNull() && value.toInt() != 0);
        else if (spec.kind == FieldKind::Secret)
            static_cast<QLineEdit*>(m_fields[i])->clear();  // a new password is typed, the old never shown
        else {
            auto* edit = static_cast<QLineEdit*>(m_fields[i]);
            edit->setText(shownText(value, spec.kind, m_base));
            edit->setCursorPosition(0);  // a long value shows its beginning, not its end
        }
    }
    showPicture();
}

void FieldPanel::clearFields()
{
    for (QWidget* w : m_fields) {
        if (auto* check = qobject_cast<QCheckBox*>(w))
            check->setChecked(false);
        else
            static_cast<QLineEdit*>(w)->clear();
    }
    if (m_picture)
        m_picture->clear();
}

QString FieldPanel::typedText(int index) const
{
    auto* edit = qobject_cast<QLineEdit*>(m_fields[index]);
    return edit ? edit->text() : QString();
}

std::optional<FieldPanel::Refusal> FieldPanel::validate(bool adding, const Database& archive) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        const FieldSpec& spec = m_table.fields[i];
        if (spec.kind == FieldKind::Flag)
            continue;
        const QString text = typedText(i);
        if (isBlank(text, spec.kind)) {
            if (!spec.requiredMessage.isEmpty())
                return Refusal{spec.requiredMessage, m_fields[i]};
            continue;
        }
        if (i == 0 && adding) {
            // The archive compares codes without regard to case.
            JetQuery q;
            q << "SELECT COUNT(*) FROM " << Jet::identifier(m_table.table) << " WHERE "
              << Jet::identifier(spec.column) << " = " << Jet::text(text.trimmed());
            Rows found = archive.select(q);
            if (found.next() && found.value(0).toInt() > 0)
                return Refusal{QStringLiteral("Codice già esistente"), m_fields[i]};
        }
        bool ok = true;
        if (spec.kind == FieldKind::Digits)
            text.trimmed().toLongLong(&ok);
        else if (isDecimal(spec.kind))
            ok = readTypedNumber(text, decimalsOf(spec.kind, m_base)).has_value();
        else if (spec.kind == FieldKind::Date)
            ok = parseTypedDate(text).has_value();
        if (!ok)
            return Refusal{QStringLiteral("Valore non Valido: %1").arg(spec.label), m_fields[i]};
    }
    return std::nullopt;
}

void FieldPanel::store(Recordset& row, bool adding) const
{
    for (int i = adding ? 0 : 1; i < m_fields.size(); ++i) {
        const FieldSpec& spec = m_table.fields[i];
        if (auto* check = qobject_cast<QCheckBox*>(m_fields[i])) {
            row.setValue(spec.column, check->isChecked());
            continue;
        }
        const QString text = typedText(i);
        if (spec.kind == FieldKind::Secret) {
            // Left empty while editing, the password stays as it was.
            if (!text.isEmpty())
                row.setValue(spec.column, hashPassword(text));
            else if (adding)
                row.setValue(spec.column, hashPassword(QString()));  // an archive holds digests only
            continue;
        }
        QVariant value;
        if (!isBlank(text, spec.kind)) {
            switch (spec.kind) {
            case FieldKind::Digits: value = text.trimmed().toLongLong(); break;
            case FieldKind::Decimal:
            case FieldKind::Amount:
            case FieldKind::EuroAmount: value = *readTypedNumber(text, decimalsOf(spec.kind, m_base)); break;
            case FieldKind::Date: value = *parseTypedDate(text); break;
            default: value = text.trimmed(); break;
            }
        }
        row.setValue(spec.column, value);
    }
}

void FieldPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit shown();
}

void FieldPanel::showPicture()
{
    if (!m_picture)
        return;
    auto* path = qobject_cast<QLineEdit*>(field(m_table.pictureColumn));
    m_base->ShowCompanyPicture(m_picture, path, QStringLiteral("::"));
}

void FieldPanel::choosePicture()
{
    m_base->ShowPictureDialog();
    if (m_base->DialogResult.isEmpty())
        return;
    auto* path = qobject_cast<QLineEdit*>(field(m_table.pictureColumn));
    m_base->ShowCompanyPicture(m_picture, path, m_base->DialogResult);
}
