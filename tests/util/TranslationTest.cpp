// SPDX-License-Identifier: MIT
#include "host/controls/Dialogs.h"
#include "util/JxutilFiles.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

using namespace jxt;

// The translation is built only when the build makes it (JXT_BUILD_TRANSLATIONS).
#ifdef JXT_TRANSLATIONS_DIR

namespace {

class Translation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto s = std::make_unique<TScriptedDialogs>();
        dialogs = s.get();
        m_previous = SetDialogService(std::move(s));
    }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(&translator);
        SetDialogService(std::move(m_previous));
    }

    /// The message that refusing to delete a drive root shows, and the title of a warning
    /// box, as "message | title".
    std::string RefusalOfRoot()
    {
        dialogs->Clear();
        EXPECT_FALSE(jxtKillPath(QStringLiteral("C:\\")));
        EXPECT_EQ(dialogs->Shown().size(), 1u);
        MessageDlg(QStringLiteral("x"), mtWarning, {mbOK});
        if (dialogs->Shown().size() != 2u)
            return {};
        return (dialogs->Shown()[0].text + QStringLiteral(" | ") + dialogs->Shown()[1].caption)
            .toStdString();
    }

    QTranslator translator;
    TScriptedDialogs *dialogs = nullptr;

private:
    std::unique_ptr<TDialogService> m_previous;
};

} // namespace

TEST_F(Translation, MessagesAreGermanUntilTheEnglishTranslationIsLoaded)
{
    EXPECT_EQ(RefusalOfRoot(), "jxtKillPath - Fehler : C:\\ kann nicht gelöscht werden | Warnung");

    // An application loads the library's translation as it loads Qt's own.
    ASSERT_TRUE(
        translator.load(QStringLiteral("jxtpack_en"), QStringLiteral(JXT_TRANSLATIONS_DIR)));
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
    EXPECT_EQ(RefusalOfRoot(), "jxtKillPath - error: C:\\ cannot be deleted | Warning");

    // Taken away again, the German texts come back.
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(RefusalOfRoot(), "jxtKillPath - Fehler : C:\\ kann nicht gelöscht werden | Warnung");
}

#endif
