#pragma once

#include <QStringList>

// The fifteen texts of a book copy that librarians type, in the order of bkinfo columns 1 to 15.
using BookValues = QStringList;

// Positions in BookValues.
enum BookField {
    kIsbn, kBookNo, kClassNo, kBookType, kCopyNo, kTitle, kAuthor, kPublisher,
    kPages, kFormat, kPubDate, kEdition, kPrice, kShelf, kEntryDate, kBookFieldCount
};
