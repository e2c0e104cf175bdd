#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

class ReadBudget;

// Takes one stream out of a compound file held in memory (version 3 or 4, the stream in the
// regular sectors or in the mini stream), found by name among the root storage's children,
// ignoring case. Every sector number, chain and size is checked against the file, so a
// damaged file gives the reason in `error` and never a read outside it. A last sector cut
// short, as some writers leave it, is read as far as it goes. The stream and what the
// reading holds on the way (the allocation tables, the directory, the mini stream) are
// taken from `budget` before they are allocated; all but the stream is given back.
bool readCompoundStream(const QByteArray& file, QStringView name, ReadBudget& budget, QByteArray* stream, QString* error);
