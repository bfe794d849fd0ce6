// SPDX-License-Identifier: MIT
// Example of the reference: an on/off button with an LED.
#include "controls/JXBiBtn.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXBiBtn(jxt::TForm *form)
{
    //! [example]
    auto *power = new jxt::TJXBiBtn(form);
    power->SetParent(form);
    power->SetCaptionOn(QStringLiteral("Ein"));
    power->SetCaptionOff(QStringLiteral("Aus"));
    power->SetLED(true);
    power->SetLEDColor(jxt::clLime);
    power->OnClick = [power](jxt::TObject *) { qDebug("now %s", power->Value() ? "on" : "off"); };
    //! [example]
}
