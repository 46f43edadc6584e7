#pragma once

#include "PageContext.h"

#include <memory>

#include <QWidget>

namespace Ui {
class KeyMapPage;
}

// The "Keymaps" page: the game functions and their key bindings.
class KeyMapPage : public QWidget
{
    Q_OBJECT

public:
    explicit KeyMapPage(PageContext context, QWidget *parent = nullptr);
    ~KeyMapPage() override;

    // Shows every binding of the key map table.
    void FillKeyMapPage();

private:
    PageContext m_context;
    std::unique_ptr<Ui::KeyMapPage> ui;
};
