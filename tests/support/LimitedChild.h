#pragma once

#include <QStringList>
#include <QtGlobal>

// A test row run again in a child process of the test program whose address space is
// limited from its start (setrlimit RLIMIT_AS), as a small machine limits a program, so that
// memory the code under test fails to count ends the child and not the whole run:
//
//     if (!LimitedChild::isChild()) {
//         LimitedChild::run(2 * LimitedChild::kGiB, {QStringLiteral("NAME=") + value});
//         return;
//     }
//     ...what the limit is for, in the child
namespace LimitedChild {
constexpr quint64 kGiB = quint64(1) << 30;

bool isChild();
// Runs the current test function at its current row in a child limited to `bytes`, with the
// `environment` settings ("NAME=value") added, and fails the test unless the child passes it.
// Skips under AddressSanitizer, whose shadow memory leaves no room for such a limit.
void run(quint64 bytes, const QStringList& environment = {});
}
