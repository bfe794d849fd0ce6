// SPDX-License-Identifier: MIT
// Example of the reference: a ball that bounces and reports when it rests.
#include "effects/JXBounce.h"
#include "host/controls/Forms.h"

void ExampleJXBounce(jxt::TForm *form)
{
    //! [example]
    auto *ball = new jxt::TJXBounce(form);
    ball->SetParent(form);
    ball->SetBounds(0, 0, 320, 240);
    ball->SetGravitation(2);
    ball->SetFriction(10);
    ball->OnHitFloor = [](jxt::TObject *) { /* play a sound */ };
    ball->OnStop = [ball](jxt::TObject *) { ball->Free(); }; // a handler may free it
    //! [example]
}
