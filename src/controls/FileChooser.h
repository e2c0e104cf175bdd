#pragma once

#include <QString>

class QWidget;

// Every file and folder choice goes through the installed chooser; tests script the answers.
// An empty result means the user cancelled. Saving asks no "replace?" question: each caller
// decides what an existing file means; a name typed without extension takes the extension
// of the filter chosen.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& proposedPath,
                             const QString& filter) = 0;
    virtual QString folder(QWidget* parent, const QString& caption, const QString& folder) = 0;

    static FileChooser& instance();
    // Installs a chooser (not owned); nullptr restores the dialog chooser.
    static void install(FileChooser* chooser);
};

class DialogFileChooser : public FileChooser {
public:
    QString openFile(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& proposedPath, const QString& filter) override;
    QString folder(QWidget* parent, const QString& caption, const QString& folder) override;
};
