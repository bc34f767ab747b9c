#include "passwordhash.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString Scheme = QStringLiteral("pbkdf2-sha256");
// About a tenth of a second on our workstations: nothing for a sign-in, a lot for a guesser.
constexpr int Iterations = 100000;
constexpr int DigestBytes = 32;

// PBKDF2 with HMAC-SHA-256 (RFC 8018), one block: the digest is as long as the hash.
QByteArray derive(const QString& password, const QByteArray& salt, int iterations)
{
    static_assert(DigestBytes == 32, "one block of SHA-256");
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password.toUtf8());
    mac.addData(salt);
    mac.addData(QByteArray("\0\0\0\1", 4));
    QByteArray u = mac.result(), out = u;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (int b = 0; b < DigestBytes; ++b)
            out[b] = char(out[b] ^ u[b]);
    }
    return out;
}

// Compares in time independent of where the two differ.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

QString hashPassword(const QString& password)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    return QStringList{Scheme, QString::number(Iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(password, salt, Iterations).toBase64())}
        .join(u'$');
}

bool isPasswordHash(const QString& stored)
{
    return stored.startsWith(Scheme + u'$');
}

bool passwordMatches(const QString& stored, const QString& typed, int archiveVersion)
{
    if (!isPasswordHash(stored))
        return archiveVersion < DigestsOnlyVersion && QString::compare(stored, typed, Qt::CaseSensitive) == 0;
    const QStringList parts = stored.split(u'$');
    bool numeric = false;
    const int iterations = parts.value(1).toInt(&numeric);
    if (parts.size() != 4 || !numeric || iterations <= 0)
        return false;
    return sameBytes(derive(typed, QByteArray::fromBase64(parts[2].toLatin1()), iterations),
                     QByteArray::fromBase64(parts[3].toLatin1()));
}
