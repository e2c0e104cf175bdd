#pragma once

#include <QTranslator>

// The program speaks Chinese (China) whatever locale the session has: the standard dialogs
// show dates, sizes and their own texts as on a Chinese desktop.
class ChineseLocale {
public:
    // Before the application object is made: the session's locale gives way.
    static void prepare();

    // Qt's own Chinese texts and the few its catalogue lacks, for the life of the object.
    ChineseLocale();
    ~ChineseLocale();

private:
    // Answers for the texts that Qt's catalogue leaves in English.
    class MissingTexts : public QTranslator {
    public:
        QString translate(const char* context, const char* sourceText, const char* disambiguation,
                          int n) const override;
        bool isEmpty() const override { return false; }
    };

    QTranslator m_qtTexts;
    MissingTexts m_missingTexts;
};
