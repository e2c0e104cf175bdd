#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class CReserveLendPage;
}

// Turns reservations into loans. The lending window builds this page but keeps it hidden.
class CReserveLendPage : public QWidget {
    Q_OBJECT
public:
    explicit CReserveLendPage(QWidget* parent = nullptr);
    ~CReserveLendPage() override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CReserveLendPage> ui;
};
