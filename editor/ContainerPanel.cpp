#include "ContainerPanel.h"

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
    m_controls.list->setCurrentIndex(SelectedContainer);
    ContainerComboBoxChange();
}

void ContainerPanel::ContainerComboBoxChange()
{
    const int chosen = m_controls.list->currentIndex();
    if (chosen >= BagPositionTable::first && chosen <= BagPositionTable::last)
        SelectedContainer = chosen;
    // Each field that shows a new text stores it into the newly selected container.
    m_controls.xField->setValue(table()[SelectedContainer].x);
    m_controls.yField->setValue(table()[SelectedContainer].y);
}

void ContainerPanel::XContainerSpinEditChange()
{
    table()[SelectedContainer].x = m_controls.xField->value();
}

void ContainerPanel::YContainerSpinEditChange()
{
    table()[SelectedContainer].y = m_controls.yField->value();
}

void ContainerPanel::Button6Click()
{
    // Every container's unsaved change goes; nothing else is re-read.
    LoadBagPositionsSection(m_context.clientIniPath, table());
    RefreshContainerPanel();
}
