// SPDX-License-Identifier: MIT
// Example of the reference: a clock on a two-row LCD panel.
#include "display/JXLCDPanel.h"
#include "host/controls/Forms.h"
#include "host/core/Timer.h"
#include <QTime>
void ExampleJXLCDPanel(jxt::TForm *form)
{
    //! [example]
    auto *lcd = new jxt::TJXLCDPanel(form); // ten columns, one row, lime on black
    lcd->SetParent(form);
    lcd->SetColumns(8);
    lcd->SetRows(2);
    lcd->SetItemsList({QStringLiteral("12:30:05"), QStringLiteral("-4,5")});
    auto *timer = new jxt::TTimer(form);
    timer->SetInterval(1000);
    timer->OnTimer = [lcd](jxt::TObject *) {
        lcd->SetCaption(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
    };
    //! [example]
}
