#include "ContainerPanel.h"

#include "SettingIds.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QPushButton>

ContainerPanel::ContainerPanel(PageContext context, ContainerControls controls, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_controls(controls)
{
    for (int i = BagPositionTable::first; i <= BagPositionTable::last; ++i)
        m_controls.list->addItem(QString::fromStdString(ContainerName(i)));
    ConnectHandlers();
}

void ContainerPanel::ConnectHandlers()
{
    // activated: only the user's choice; selecting from code notifies nothing.
    connect(m_controls.list, &QComboBox::activated, this, &ContainerPanel::ContainerComboBoxChange);
    connect(m_controls.xField, &SpinEdit::changed, this, &ContainerPanel::XContainerSpinEditChange);
    connect(m_controls.yField, &SpinEdit::changed, this, &ContainerPanel::YContainerSpinEditChange);
    connect(m_controls.reload, &QPushButton::clicked, this, &ContainerPanel::Button6Click);
}

void ContainerPanel::RefreshContainerPanel()
{
    const SettingEdits::Quiet filling(m_context.edits);
    m_controls.list->setCurrentIndex(SelectedContainer);
    ContainerComboBoxChange();
}

void ContainerPanel::ContainerComboBoxChange()
{
    const int chosen = m_controls.list->currentIndex();
    if (chosen >= BagPositionTable::first && chosen <= BagPositionTable::last)
        SelectedContainer = chosen;
    // Each field that shows a new text stores it into the newly selected container; that is
    // showing the record, not a user's edit.
    const SettingEdits::Quiet filling(m_context.edits);
    m_controls.xField->setValue(table()[SelectedContainer].x);
    m_controls.yField->setValue(table()[SelectedContainer].y);
}

void ContainerPanel::XContainerSpinEditChange()
{
    m_context.edits.Store(table()[SelectedContainer].x,
                          m_controls.xField->value(),
                          BagPositionId(SelectedContainer, 'X'));
}

void ContainerPanel::YContainerSpinEditChange()
{
    m_context.edits.Store(table()[SelectedContainer].y,
                          m_controls.yField->value(),
                          BagPositionId(SelectedContainer, 'Y'));
}

void ContainerPanel::Button6Click()
{
    // Every container's unsaved change goes; nothing else is re-read.
    const SettingEdits::Quiet reloading(m_context.edits);
    LoadBagPositionsSection(m_context.clientIniPath, table());
    RefreshContainerPanel();
}
