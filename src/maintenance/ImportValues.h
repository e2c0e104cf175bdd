#pragma once

#include "sheets/SheetCell.h"

#include <QString>
#include <QVariant>

// One field an import writes, and how a cell becomes its value.
struct ImportField {
    enum class Kind {
        Text,    // the cell's text as it stands; numbers as the system prints them
        Number,  // a number cell, or a text that reads as one
        Date,    // "YYYY-MM-DD", from a date cell or a date as librarians write it
        Moment,  // a date as above, followed by its time when the cell gives one
        InStock  // not read: a copy comes in stock
    };
    // What an empty cell writes: nothing, so that the field keeps its default, or an empty
    // text, which no number or date field takes.
    enum class Empty { Default, Text };
    QString name;
    Kind kind = Kind::Text;
    Empty empty = Empty::Default;
    // Readers' sheets carry dates read with a time of midnight: that time is dropped.
    bool dropMidnight = false;
};

// The value for the field, or why the cell cannot give it (see ImportField::Empty for an
// empty cell).
struct FieldValue {
    QVariant value;
    QString refusal;
};

FieldValue fieldValue(const ImportField& field, const SheetCell& cell);
