#pragma once

#include <QString>

// Operator passwords are stored as "pbkdf2-sha256$<iterations>$<salt hex>$<key hex>".
QString hashPassword(const QString& password);
bool verifyPassword(const QString& password, const QString& stored);
