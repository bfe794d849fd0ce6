// SPDX-License-Identifier: MIT
// Example of the reference: a bar between two panels that the user drags.
#include "controls/JXGrabBar.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"

void ExampleJXGrabBar(jxt::TForm *form)
{
    //! [example]
    auto *left = new jxt::TPanel(form);
    left->SetParent(form);
    left->SetAlign(jxt::alLeft);
    auto *right = new jxt::TPanel(form);
    right->SetParent(form);
    right->SetAlign(jxt::alClient);
    auto *bar = new jxt::TJXGrabBar(form);
    bar->SetParent(form);
    bar->SetStyle(jxt::TJXGrabBar::jxgbVertical);
    bar->SetWindowA(left);
    bar->SetWindowB(right);
    //! [example]
}
