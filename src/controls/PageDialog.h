#pragma once

#include <QDialog>

// A window that also serves as a page of another window's tabs. As a page it has no frame
// of its own, and Escape closes the window that holds it rather than hiding the page.
class CPageDialog : public QDialog {
public:
    using QDialog::QDialog;

    // Makes it a page of the parent it was created with.
    void EmbedAsPage() { setWindowFlags(Qt::Widget); }

    void reject() override
    {
        if (isWindow())
            QDialog::reject();
        else
            window()->close();
    }
};
