#pragma once

#include <QByteArray>
#include <QStringList>

// The names of the files (not folders) in a directory listing as FTP servers send it, in
// the Unix form ("-rw-r--r-- 1 ftp ftp 120 Apr 11 09:30 book(实验小学).dat") or the DOS form
// ("04-11-17  09:30AM  120 book.dat", "<DIR>" for a folder). Each line is read as UTF-8
// when it is valid UTF-8, else as GBK. Lines of neither form are skipped.
QStringList filesInListing(const QByteArray& listing);
