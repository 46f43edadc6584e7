#pragma once

#include "PageContext.h"

#include <memory>

#include <QWidget>

class QComboBox;

namespace Ui {
class DisplayPage;
}

// The "Display" page: the video options, hidden windows and name display of [Defaults].
// OptionPages fills it and serves its handlers.
class DisplayPage : public QWidget
{
    Q_OBJECT

public:
    explicit DisplayPage(PageContext context, QWidget *parent = nullptr);
    ~DisplayPage() override;

    QComboBox *videoModeComboBox() const;
    QComboBox *bitsPerPixelComboBox() const;
    QComboBox *textureQualityComboBox() const;
    QComboBox *showNamesLevelComboBox() const;

private:
    PageContext m_context;
    std::unique_ptr<Ui::DisplayPage> ui;
};
