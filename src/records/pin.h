// The teachers' PIN, kept only as a salted PBKDF2 hash.
#pragma once

#include <QString>

namespace records {

// "pbkdf2-sha256$iterations$salt$key" with salt and key in Base64; a fresh salt each time.
QString hashPin(const QString& pin);
// Whether the PIN gives the stored hash; false for an empty or malformed hash.
bool pinMatches(const QString& pin, const QString& stored);

} // namespace records
