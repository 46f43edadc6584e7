#pragma once

#include "PageContext.h"

#include <memory>

#include <QWidget>

namespace Ui {
class MiscPage;
}

// The "Misc" page: the remaining [Defaults] options and the container positions.
class MiscPage : public QWidget
{
    Q_OBJECT

public:
    explicit MiscPage(PageContext context, QWidget *parent = nullptr);
    ~MiscPage() override;

    // Selects SelectedContainer in the container list and shows its position.
    void RefreshContainerPanel();

    int SelectedContainer = 0;

private:
    PageContext m_context;
    std::unique_ptr<Ui::MiscPage> ui;
};
