#pragma once

#include <QDialog>

// A dialog with a fixed border whose client area keeps one size, centred on the screen each
// time it is shown.
class FixedDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FixedDialog(QWidget *parent = nullptr);

protected:
    // Fixes the client area at the size the form was laid out for.
    void FixClientSize(QSize size);
    void showEvent(QShowEvent *event) override;
};
