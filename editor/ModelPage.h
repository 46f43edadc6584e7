#pragma once

#include "PageContext.h"

#include <memory>

#include <QWidget>

class QGroupBox;

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

    // The "Vorran Models" group: its 26 check boxes carry the model flags 30 to 55 as tags.
    QGroupBox *vorranModelGroupBox() const;

private:
    PageContext m_context;
    std::unique_ptr<Ui::ModelPage> ui;
};
