#pragma once

#include "FixedDialog.h"

#include <memory>

namespace Ui {
class TOKBottomDlg;
}

// The Help dialog: how to edit a colour on the Text Colors page.
class TOKBottomDlg : public FixedDialog
{
    Q_OBJECT

public:
    explicit TOKBottomDlg(QWidget *parent = nullptr);
    ~TOKBottomDlg() override;

private:
    std::unique_ptr<Ui::TOKBottomDlg> ui;
};
