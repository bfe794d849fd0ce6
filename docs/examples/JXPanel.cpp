// SPDX-License-Identifier: MIT
// Example of the reference: a panel that shows the processor load as a chart.
#include "display/JXPanel.h"
#include "host/controls/Forms.h"

void ExampleJXPanel(jxt::TForm *form)
{
    //! [example]
    auto *panel = new jxt::TJXPanel(form);
    panel->SetParent(form);
    panel->SetBounds(8, 8, 160, 60);
    panel->SetStyle(jxt::sgCPU); // the processor load, once a second
    panel->SetGraphColor(jxt::clLime);
    //! [example]
}
