#include "app/ChineseLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace {
QLocale chinese() { return QLocale(QLocale::Chinese, QLocale::China); }

struct Text {
    const char* context;
    const char* source;
    const char* chinese;
};

// As a Chinese desktop names them.
constexpr Text kMissing[] = {
    {"QAbstractFileIconProvider", "Drive", "驱动器"},
    {"QAbstractFileIconProvider", "File", "文件"},
    {"QAbstractFileIconProvider", "Folder", "文件夹"},
    {"QAbstractFileIconProvider", "Shortcut", "快捷方式"},
    {"QAbstractFileIconProvider", "Unknown", "未知"},
};
}

void ChineseLocale::prepare()
{
    // Qt takes the system's locale from the environment; LC_ALL outranks every other setting.
    qputenv("LC_ALL", "zh_CN.UTF-8");
    qputenv("LANGUAGE", "zh_CN");
}

ChineseLocale::ChineseLocale()
{
    // Where the C library has no Chinese locale, the application object fell back to "C", and
    // Xlib then writes each window's WM_NAME as raw UTF-8 labelled Latin-1. Characters stay
    // UTF-8 so that every window manager reads the titles.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    QLocale::setDefault(chinese());
    if (m_qtTexts.load(chinese(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTexts);
    QCoreApplication::installTranslator(&m_missingTexts);
}

ChineseLocale::~ChineseLocale()
{
    QCoreApplication::removeTranslator(&m_missingTexts);
    QCoreApplication::removeTranslator(&m_qtTexts);
}

QString ChineseLocale::MissingTexts::translate(const char* context, const char* sourceText, const char*, int) const
{
    for (const Text& text : kMissing) {
        if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, sourceText) == 0)
            return QString::fromUtf8(text.chinese);
    }
    return {};
}
