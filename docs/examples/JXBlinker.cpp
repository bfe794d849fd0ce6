// SPDX-License-Identifier: MIT
// Example of the reference: a gauge whose colour blinks while an alarm lasts.
#include "display/JXBlinker.h"
#include "display/JXGauge.h"
#include "host/controls/Forms.h"

void ExampleJXBlinker(jxt::TForm *form)
{
    //! [example]
    auto *gauge = new jxt::TJXGauge(form);
    gauge->SetParent(form);
    auto *blinker = new jxt::TJXBlinker(form); // not visible itself
    blinker->SetControl(gauge);
    blinker->SetBlinkHiColor(jxt::clRed);
    blinker->SetBlinkLoColor(jxt::clMaroon);
    blinker->SetInterval(250);
    blinker->SetBlink(true);
    //! [example]
}
