#pragma once

#include "FixedDialog.h"

#include <memory>

#include <QStringList>

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

    // Where the editor looks for the client file, one place a line, and what it found.
    void ShowPlacesLooked(const QStringList &places);

private:
    std::unique_ptr<Ui::TOKBottomDlg> ui;
};
