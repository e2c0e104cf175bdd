#include "LimitedChild.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <sys/resource.h>

namespace {
const char* const kLimit = "SCHOOLLIB_ADDRESS_SPACE_LIMIT";

// Before anything else of the child runs, so that its whole life is under the limit.
const bool kLimited = [] {
    const QByteArray limit = qgetenv(kLimit);
    if (limit.isEmpty())
        return false;
    rlimit bounds{};
    bounds.rlim_cur = bounds.rlim_max = limit.toULongLong();
    if (setrlimit(RLIMIT_AS, &bounds) != 0)
        qFatal("cannot limit the address space to %s bytes", limit.constData());
    return true;
}();
}

bool LimitedChild::isChild()
{
    return kLimited;
}

void LimitedChild::run(quint64 bytes, const QStringList& environment)
{
#ifdef __SANITIZE_ADDRESS__
    QSKIP("AddressSanitizer's shadow memory leaves no room for an address-space limit");
#endif
    QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
    settings.insert(QString::fromLatin1(kLimit), QString::number(bytes));
    for (const QString& setting : environment)
        settings.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    const QString function = QString::fromLatin1(QTest::currentTestFunction());
    const QString row = QString::fromUtf8(QTest::currentDataTag());
    QProcess child;
    child.setProcessEnvironment(settings);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {row.isEmpty() ? function : function + QLatin1Char(':') + row});
    QVERIFY(child.waitForFinished(-1));
    const QString output = QString::fromUtf8(child.readAll());
    const QRegularExpression passed(QStringLiteral("^PASS   : \\w+::%1\\(%2\\)$")
                                        .arg(QRegularExpression::escape(function), QRegularExpression::escape(row)),
                                    QRegularExpression::MultilineOption);
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && passed.match(output).hasMatch(),
             qPrintable(output));
}
