// SPDX-License-Identifier: MIT
// Example of the reference: a gauge that shows a download's progress.
#include "display/JXGauge.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXGauge(jxt::TForm *form)
{
    //! [example]
    auto *gauge = new jxt::TJXGauge(form); // owned by the form
    gauge->SetParent(form);                // and shown on it
    gauge->SetBounds(8, 8, 200, 20);
    gauge->SetMaxValue(250);
    gauge->SetProgress(100); // four of ten boxes lit
    QObject::connect(gauge, &jxt::TJXGauge::progressChanged, gauge,
                     [](int progress) { qDebug("now at %d", progress); });
    //! [example]
}
