// SPDX-License-Identifier: MIT
// Builds against the installed headers and library: checks the generated version header,
// paints an LCD panel and checks a pixel, and reaches a component's properties through Qt's
// meta-object system (which needs the exported meta-objects).
#include "display/JXGauge.h"
#include "display/JXLCDPanel.h"
#include "host/controls/Forms.h"
#include "jxtpack/Version.h"
#include "util/Jxutil.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (std::strcmp(JXTPACK_VERSION_STRING, JXT_EXPECTED_VERSION) != 0) {
        std::printf("consumer: header version %s, package version %s\n", JXTPACK_VERSION_STRING,
                    JXT_EXPECTED_VERSION);
        return 1;
    }
    QApplication app(argc, argv);
    jxt::TForm form;
    auto *lcd = new jxt::TJXLCDPanel(&form);
    lcd->SetParent(&form);
    lcd->SetCaption(QStringLiteral("8"));
    lcd->Repaint();
    // The first cell's top bar is lit: its middle lies a/2 pixels below the cell's top edge.
    const QRgb c = lcd->Surface().pixel(4 + 13, 2 + 2);
    const bool lit = qRed(c) == 0 && qGreen(c) == 0xFF && qBlue(c) == 0;
    std::printf("consumer: %s\n", lit ? "lit segment found" : "segment not lit");

    auto *gauge = new jxt::TJXGauge(&form);
    QObject *asObject = gauge;
    const bool typed = qobject_cast<jxt::TJXGauge *>(asObject) == gauge;
    const bool property = gauge->setProperty("Progress", 42) && gauge->Progress() == 42;
    std::printf("consumer: meta-object %s, property %s\n", typed ? "found" : "missing",
                property ? "set" : "not set");

    QString text = QStringLiteral("a-b");
    jxt::jxtReplaceString(text, QStringLiteral("-"), QStringLiteral("+"));
    const bool helper = text == QStringLiteral("a+b");
    std::printf("consumer: helper %s\n", helper ? "works" : "fails");
    return lit && typed && property && helper ? 0 : 1;
}
