// SPDX-License-Identifier: MIT
// Builds against the installed headers and library: checks the generated version header,
// paints an LCD panel and checks a pixel, and reaches a component's properties through Qt's
// meta-object system (which needs the exported meta-objects), and loads the installed English
// translation the way the README shows. Built against a library without some of its parts, it
// checks that the package, the generated configuration header and the palette agree on what
// the library has.
#include "display/JXGauge.h"
#include "display/JXLCDPanel.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/designer/DesignRegistry.h"
#include "jxtpack/Config.h"
#include "jxtpack/Version.h"
#include "package/JXTools.h"
#include "util/Jxutil.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

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

    // The palette and the registry hold exactly the parts the package says it has.
    bool parts = JXT_WITH_SOUND == JXT_PACKAGE_SOUND && JXT_WITH_PRINTING == JXT_PACKAGE_PRINTING &&
                 JXT_WITH_DESKTOP == JXT_PACKAGE_DESKTOP && JXT_WITH_FONTS == JXT_PACKAGE_FONTS;
    jxt::JXTools::Register();
    const std::pair<const char *, bool> optional[] = {{"TJXWAV", JXT_PACKAGE_SOUND},
                                                      {"TJXPrinter", JXT_PACKAGE_PRINTING},
                                                      {"TJXFontCombo", JXT_PACKAGE_FONTS}};
    for (const auto &[name, built] : optional) {
        const QString className = QString::fromLatin1(name);
        parts = parts && jxt::JXTools::PaletteClassNames().contains(className) == built &&
                (jxt::FindRegisteredClass(className) != nullptr) == built;
    }
    const auto onPage = jxt::RegisteredComponents(jxt::JXTools::kPalettePage);
    parts = parts && int(onPage.size()) == jxt::JXTools::PaletteClassNames().size();
    for (const auto &c : onPage)
        parts = parts && c.create != nullptr;
    std::printf("consumer: %d components on the palette, parts %s\n", int(onPage.size()),
                parts ? "as the package says" : "differ from the package");

    bool translated = true;
#ifdef JXT_TRANSLATIONS_DIR
    // The library's message-box titles are German until its English translation is loaded.
    auto service = std::make_unique<jxt::TScriptedDialogs>();
    jxt::TScriptedDialogs *dialogs = service.get();
    jxt::SetDialogService(std::move(service));
    QTranslator translator;
    translated = translator.load(QLocale(QLocale::English), QStringLiteral("jxtpack"),
                                 QStringLiteral("_"), QStringLiteral(JXT_TRANSLATIONS_DIR)) &&
                 app.installTranslator(&translator);
    jxt::MessageDlg(QStringLiteral("?"), jxt::mtWarning, {jxt::mbOK});
    translated = translated && dialogs->Shown().back().caption == QStringLiteral("Warning");
    std::printf("consumer: translation %s\n", translated ? "loaded" : "not loaded");
#endif
    return lit && typed && property && helper && parts && translated ? 0 : 1;
}
