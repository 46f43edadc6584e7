#pragma once

#include "PageContext.h"

#include <memory>

#include <QList>
#include <QWidget>

class ContainerPanel;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class SpinEdit;

namespace Ui {
class MiscPage;
}

// The "Misc" page: the remaining [Defaults] options, which OptionPages fills and serves, and the
// container positions.
class MiscPage : public QWidget
{
    Q_OBJECT

public:
    explicit MiscPage(PageContext context, QWidget *parent = nullptr);
    ~MiscPage() override;

    // Selects SelectedContainer in the container list and shows its position.
    void RefreshContainerPanel();
    ContainerPanel &containerPanel() const { return *m_containerPanel; }

    // The "Default Speed" items: id 0 "Walk", id 1 "Run".
    QButtonGroup *runRadioGroupItems() const;
    // The five "Remove ..." boxes; each carries its bit of TrackFilterType as its tag.
    QList<QCheckBox *> filterCheckBoxes() const;
    QComboBox *trackPlayersComboBox() const;
    QComboBox *trackSortTypeComboBox() const;
    SpinEdit *lineSpaceSpinEdit() const;
    SpinEdit *fontSizeSpinEdit() const;
    SpinEdit *lastCharSelSpinEdit() const;
    SpinEdit *mousePointerSpeedModSpinEdit() const;

private:
    PageContext m_context;
    std::unique_ptr<Ui::MiscPage> ui;
    ContainerPanel *m_containerPanel;
};
