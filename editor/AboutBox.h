#pragma once

#include "FixedDialog.h"
#include "Seams.h"

#include <memory>

namespace Ui {
class TAboutBox;
}

// The About box: the program's name, icon and version, and links to its home page and its
// developers' mail address.
class TAboutBox : public FixedDialog
{
    Q_OBJECT

public:
    // Reads the program's version through the seams once, now.
    explicit TAboutBox(Seams seams, QWidget *parent = nullptr);
    ~TAboutBox() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowProgramIcon();
    void ShowLinks();

    void FormCreate();
    void UrlLabelClick();
    void EmailLabelDblClick();

    std::unique_ptr<Ui::TAboutBox> ui;
    Seams m_seams;
};
