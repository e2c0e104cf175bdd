#pragma once

#include "../circulation/CirculationFixture.h"

#include <QString>
#include <QStringList>

// A periodical copy written straight into the test database; flag -1 is lent.
void insertPeriodical(const QString& number, const QString& title, const QString& price = QStringLiteral("12.80"),
                      int lentFlag = 0, const QString& barcode = QString());
// Every row of every table that periodical lending, losses and moves write.
QStringList periodicalSnapshot();
