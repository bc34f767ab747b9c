#include "basecomponent.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include "common/keyfilters.h"
#include "components/keyfilterinstall.h"
#include "common/typednumber.h"

namespace {

class TypedNumberValidator : public QValidator
{
public:
    TypedNumberValidator(int maxDecimals, QObject* parent) : QValidator(parent), m_maxDecimals(maxDecimals) {}

    State validate(QString& input, int&) const override
    {
        switch (typedNumberState(input, m_maxDecimals)) {
        case TypedNumber::Readable: return Acceptable;
        case TypedNumber::Unfinished: return Intermediate;
        case TypedNumber::Unreadable: break;
        }
        return Invalid;
    }

private:
    int m_maxDecimals;
};

} // namespace

namespace {

// What arrives without a key press (a paste) loses the characters typing would have dropped.
class TextKeysValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override
    {
        const QString kept = withoutControlCharacters(input);
        if (kept.size() != input.size()) {
            position -= int(input.left(position).size() - withoutControlCharacters(input.left(position)).size());
            input = kept;
        }
        return Acceptable;
    }
};

} // namespace

Database BaseComponent::sessionArchive(SessionArchive& archive, const QString& path)
{
    // Opened again when the session moves to another data folder or password.
    if (!archive.db.isValid() || archive.db.path() != path || archive.connectString != ConnectString) {
        archive.db = Database();
        archive.db = Database::open(path, ConnectString);
        archive.connectString = ConnectString;
    }
    return archive.db;
}

Database BaseComponent::dataArchive() { return sessionArchive(m_dataArchive, DataDbPath); }
Database BaseComponent::userArchive() { return sessionArchive(m_userArchive, UserDbPath); }

bool BaseComponent::lock(LockMode mode, const LockIdentity& id)
{
    qint16 m = qint16(mode);
    LockIdentity a = id;
    bool always = true;
    bool result = false;
    RecordLock(m, a.owner, a.screenTitle, a.table, a.keyValues[0], a.keyValues[1], a.keyValues[2],
               a.keyFields[0], a.keyFields[1], a.keyFields[2], a.keyKinds[0], a.keyKinds[1], a.keyKinds[2],
               a.archive, always, result);
    return result;
}

void BaseComponent::useTextKeys(QWidget* field)
{
    installKeyFilter(field, [this](QChar key, const QString&, int) { return FilterTextKey(key); });
    if (auto* edit = qobject_cast<QLineEdit*>(field); edit && edit->inputMask().isEmpty() && !edit->validator())
        edit->setValidator(new TextKeysValidator(edit));
}

void BaseComponent::useDigitKeys(QWidget* field)
{
    installKeyFilter(field, [this](QChar key, const QString&, int) { return FilterDigitKey(key); });
    // Whatever arrives without a key press (a paste, a shortcut's letter) holds digits only too.
    if (auto* edit = qobject_cast<QLineEdit*>(field); edit && edit->inputMask().isEmpty())
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edit));
}

void BaseComponent::useDecimalKeys(QWidget* field, int maxDecimals)
{
    installKeyFilter(field, [this](QChar key, const QString& text, int cursor) {
        return FilterDecimalKey(key, text, cursor);
    });
    if (auto* edit = qobject_cast<QLineEdit*>(field); edit && edit->inputMask().isEmpty())
        edit->setValidator(new TypedNumberValidator(maxDecimals, edit));
}
