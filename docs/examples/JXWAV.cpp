// SPDX-License-Identifier: MIT
// Example of the reference: playing a wave file and hearing when it ended.
#include "services/JXWAV.h"
#include "host/controls/Forms.h"
#include <QDebug>
void ExampleJXWAV(jxt::TForm *form)
{
    //! [example]
    auto *player = new jxt::TJXWAV(form);
    player->OnNotify = [](jxt::TObject *, jxt::TJXWAV::TMPNotifyValues how) {
        if (how == jxt::nvSuccessful)
            qDebug("played to the end");
    };
    try {
        player->SetFileName(QStringLiteral("gong.wav")); // read and checked here
        player->Play();
    } catch (const jxt::Exception &e) {
        qDebug() << e.Message(); // "This is not a WAVE file." and the like
    }
    //! [example]
}
