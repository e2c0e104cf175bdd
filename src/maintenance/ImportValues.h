#pragma once

#include "sheets/SheetCell.h"

#include <QString>
#include <QVariant>

// One field an import writes, and how a cell becomes its value.
struct ImportField {
    enum class Kind {
        Text,    // the cell's text, trimmed; numbers as the system prints them
        Number,  // a number cell, or a text that reads as one
        Date,    // "YYYY-MM-DD", from a date cell or a date as librarians write it
        Moment,  // a date as above, followed by its time when the cell gives one
        InStock  // not read: a copy comes in stock
    };
    QString name;
    Kind kind = Kind::Text;
    bool required = false;
    // Readers' sheets carry dates read with a time of midnight: that time is dropped.
    bool dropMidnight = false;
};

// The value for the field, or why the cell cannot give it. An empty cell gives a null
// value (the field's default then applies), or a refusal for a required field.
struct FieldValue {
    QVariant value;
    QString refusal;
};

FieldValue fieldValue(const ImportField& field, const SheetCell& cell);
