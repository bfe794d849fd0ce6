// SPDX-License-Identifier: MIT
// Builds against the installed headers and library, paints an LCD panel and checks a pixel.
#include "display/JXLCDPanel.h"
#include "host/Forms.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
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
    return lit ? 0 : 1;
}
