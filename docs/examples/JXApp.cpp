// SPDX-License-Identifier: MIT
// Example of the reference: an application in the notification area.
#include "services/JXApp.h"
#include "host/controls/Forms.h"

void ExampleJXApp(jxt::TForm *form)
{
    //! [example]
    auto *app = new jxt::TJXApp(form);
    app->SetTitle(QStringLiteral("Monitor"));
    app->SetTaskBarTip(QStringLiteral("Monitor läuft"));
    app->OnTaskBarMouseUp = [app](jxt::TObject *, jxt::TMouseButton button) {
        if (button == jxt::mbLeft)
            app->ShowApp();
    };
    jxt::Loaded(app); // made in code: now it watches the clipboard and sets the icon
    app->TaskBarSetIcon();
    //! [example]
}
