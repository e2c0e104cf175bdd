#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

// The cuts of the catalogue services' pages, without any fetching: what the lookup takes
// from each page. A missing marker gives an empty text (or no row); a length or count that
// makes no sense gives nothing either.
namespace CatalogueReplies {
// The text without the blanks at its end; those at its start stay. Blanks are the ASCII
// white space that the C library's isspace knows: a full-width blank is text.
QString withoutTrailingBlanks(const QString& text);
// The text without the blanks at either end.
QString withoutBlanks(const QString& text);

// Library catalogue: the search form's address on the entry page.
QString opacFormAddress(const QString& entryPage);
// The query that asks the catalogue's search form for an ISBN.
QString opacSearchQuery(const QString& isbn);
// The number of hits on the hit list; -1 when the page does not say.
int opacHitCount(const QString& hitList);
// The address of the hit records, up to and including "&set_entry=".
QString opacRecordBase(const QString& hitList);
// The address of hit number `hit` (from 1): five zeros before the hits 1 to 9, four before
// the later ones (000010, 0000100).
QString opacRecordAddress(const QString& recordBase, int hit);
// One result row (the ISBN and eleven fields) from a full record; none without "头标区".
std::optional<QStringList> opacRecordRow(const QString& recordPage, const QString& isbn);

// Review service: where its entry for an ISBN lies.
QString reviewPath(const QString& isbn);
// Review service: the eleven fields of its XML entry (分类号, 开本 and 版次 stay empty). Once
// the abort flag is set, the entry is read no further.
QStringList reviewFields(const QString& entry, const std::atomic_bool* abort = nullptr);
// The path of an ISBN at the second-hand market ("978" gives "k39k37k38").
QString secondHandPath(const QString& isbn);
// Second-hand market: the page's first ten title markers (markers less than 30 GBK bytes
// apart count once) and one row for each but the last of them, so three offers give two rows
// and eleven the first nine. Each offer is read inside its own block, up to the next marker,
// so that an offer lacking a field never shows another offer's.
QList<QStringList> secondHandRows(const QString& resultPage, const QString& isbn);
}
