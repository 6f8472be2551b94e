#include "pin.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace records {

namespace {
const QString scheme = QStringLiteral("pbkdf2-sha256");
constexpr int iterations = 20000;
constexpr int saltBytes = 16;
constexpr int keyBytes = 32;

QByteArray derive(const QString& pin, const QByteArray& salt, int rounds)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, pin.toUtf8(), salt, rounds, keyBytes);
}
} // namespace

QString hashPin(const QString& pin)
{
    QByteArray salt(saltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), saltBytes / 4);
    return QStringList{scheme, QString::number(iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(pin, salt, iterations).toBase64())}
        .join(QLatin1Char('$'));
}

bool pinMatches(const QString& pin, const QString& stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != scheme)
        return false;
    bool ok = false;
    const int rounds = parts[1].toInt(&ok);
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray key = QByteArray::fromBase64(parts[3].toLatin1());
    if (!ok || rounds < 1 || salt.isEmpty() || key.size() != keyBytes)
        return false;
    const QByteArray given = derive(pin, salt, rounds);
    // Compared in full whatever differs, so the time taken tells nothing.
    unsigned char diff = 0;
    for (int i = 0; i < keyBytes; ++i)
        diff |= static_cast<unsigned char>(given[i] ^ key[i]);
    return diff == 0;
}

} // namespace records
