#pragma once

#include <QIcon>

// The picture of one of the program's icon resources, by the number the windows know it by:
// 128 and 224 the application, 135 settings, 143 the lending query, 187 password, 188 operator,
// 192 search, 199 confirm, 202 export to a spreadsheet, 205 exit, 206 readers, 207 book lending,
// 210 add, 211 delete, 213 and 214 the dark and bright green lamp, 215 cancel or leave,
// 216 clear all, 242 book query, 265 search or generate, 266 preview, 267 print, 283 lend all,
// 284 return all, 313 book entry, 315 periodical lending. Any other number gives no picture.
QIcon resourceIcon(int resourceId);
