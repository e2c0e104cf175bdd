#pragma once

#include <QString>

// The title of the custom reader cards, kept in setup.ini, section [Title], key m_title.
namespace CardTitle {
constexpr int kMaxBytes = 99;

// The stored title, cut to 99 GBK bytes on a character boundary; empty when missing.
QString Read(const QString& iniPath);
bool Write(const QString& iniPath, const QString& title);
// Why a title cannot be stored; empty when it can.
QString Problem(const QString& title);
}
