#pragma once

#include "PageContext.h"
#include "sections/BagPositionsSection.h"

#include <QObject>

class QComboBox;
class QPushButton;
class SpinEdit;

// The controls of the "Container Positions" group on the Misc page.
struct ContainerControls
{
    QComboBox *list;     // ContainerComboBox
    SpinEdit *xField;    // XContainerSpinEdit
    SpinEdit *yField;    // YContainerSpinEdit
    QPushButton *reload; // Button6
};

// Places the 16 container windows: shows the position of the container picked in the list and
// stores every change of the two fields straight into the container table. "Reload" re-reads
// only the container positions from the client file.
class ContainerPanel : public QObject
{
    Q_OBJECT

public:
    ContainerPanel(PageContext context, ContainerControls controls, QObject *parent = nullptr);

    // Selects SelectedContainer in the list and shows its position. Putting the position into
    // the fields stores it back clamped to their range, when that changes what they show.
    void RefreshContainerPanel();

    // The container shown, 0 to 15; kept across reloads.
    int SelectedContainer = 0;

private:
    void ConnectHandlers();
    BagPositionTable &table() { return m_context.settings.BagPositions; }

    void ContainerComboBoxChange();
    void XContainerSpinEditChange();
    void YContainerSpinEditChange();
    void Button6Click();

    PageContext m_context;
    ContainerControls m_controls;
};
