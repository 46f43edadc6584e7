#pragma once

#include "PageContext.h"

#include <memory>

#include <QWidget>

namespace Ui {
class ModelPage;
}

// The "Textures/Models" page: the Vorran model and texture switches of [Defaults]. OptionPages
// fills it and serves its handlers.
class ModelPage : public QWidget
{
    Q_OBJECT

public:
    explicit ModelPage(PageContext context, QWidget *parent = nullptr);
    ~ModelPage() override;

private:
    PageContext m_context;
    std::unique_ptr<Ui::ModelPage> ui;
};
