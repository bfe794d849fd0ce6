// SPDX-License-Identifier: MIT
// Application component: the single-instance rule, the application settings, forwarding of
// the application's events (and giving them back), the notification icon's states with tip,
// menu, auto-hide and auto-remove, clipboard changes on the real clipboard, and the version
// information window.
#include "services/JXApp.h"

#include "host/controls/StdCtrls.h"

#include "TestSupport.h"

#include "effects/JXForm.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "platform/Tray.h"
#include "util/JxutilSystem.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>

#include <memory>

using namespace jxt;

namespace {

class JXAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>();
        form->SetBounds(10, 10, 200, 150);
        Application()->SetMainForm(form.get());
        test::Dialogs()->Clear();
        // The notification icon's behaviour as on a desktop with a system tray.
        platform::SetSystemTrayAvailable(true);
    }
    void TearDown() override
    {
        platform::SetSystemTrayAvailable(std::nullopt);
        form.reset();
        Application()->SetMainForm(nullptr);
        Application()->SetTitle(QString());
        Application()->SetHelpFile(QString());
        Application()->SetIcon(nullptr);
    }
    TJXApp *MakeApp() { return new TJXApp(form.get()); }

    std::unique_ptr<TForm> form;
};

QImage Filled(QColor color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

} // namespace

TEST_F(JXAppTest, DefaultsAndTheSingleInstanceRule)
{
    TJXApp *app = MakeApp();
    EXPECT_EQ(app->property("About_JXTools").toString(), QStringLiteral("13.10.98"));
    EXPECT_TRUE(app->TaskBarAutoHide());
    EXPECT_TRUE(app->TaskBarAutoRemove());
    EXPECT_FALSE(app->Visible());
    EXPECT_EQ(app->Width(), 28);
    EXPECT_EQ(app->Height(), 28);

    TForm designed;
    designed.SetDesigning(true);
    auto *first = new TJXApp(&designed);
    EXPECT_THROW(new TJXApp(&designed), TDuplicateComponent);
    TPanel panel;
    panel.SetDesigning(true);
    EXPECT_THROW(new TJXApp(&panel), TFormNotOwner);

    // The designer symbol: a raised frame with the component's bitmap inside.
    first->Repaint();
    EXPECT_EQ(test::PixelAt(first->Surface(), 0, 0), 0xFFFFFF);
    EXPECT_EQ(test::PixelAt(first->Surface(), 27, 27), 0x808080);
}

TEST_F(JXAppTest, TitleHelpFileAndIconReachTheApplication)
{
    TJXApp *app = MakeApp();
    app->SetTitle(QStringLiteral("Kassenbuch"));
    app->SetHelpFile(QStringLiteral("kasse.hlp"));
    EXPECT_EQ(Application()->Title(), QStringLiteral("Kassenbuch"));
    EXPECT_EQ(Application()->HelpFile(), QStringLiteral("kasse.hlp"));
    TIcon icon;
    icon.SetImage(Filled(Qt::blue));
    app->SetIcon(&icon);
    EXPECT_EQ(Application()->Icon()->Image().pixelColor(0, 0), QColor(Qt::blue));

    // In the designer only the help file goes to the application.
    TForm designed;
    designed.SetDesigning(true);
    auto *designApp = new TJXApp(&designed);
    designApp->SetTitle(QStringLiteral("Entwurf"));
    designApp->SetHelpFile(QStringLiteral("entwurf.hlp"));
    EXPECT_EQ(Application()->Title(), QStringLiteral("Kassenbuch"));
    EXPECT_EQ(Application()->HelpFile(), QStringLiteral("entwurf.hlp"));
    EXPECT_EQ(designApp->TaskBarTip(), QString());
}

TEST_F(JXAppTest, TipIsCutTo63CharactersAndDefaultsToTheTitle)
{
    TJXApp *app = MakeApp();
    Application()->SetTitle(QStringLiteral("Titel der Anwendung"));
    EXPECT_EQ(app->TaskBarTip(), QStringLiteral("Titel der Anwendung"));
    app->SetTaskBarTip(QString(100, QLatin1Char('x')));
    EXPECT_EQ(app->TaskBarTip(), QString(63, QLatin1Char('x')));
}

TEST_F(JXAppTest, ApplicationEventsAreForwardedAndGivenBackOnDestruction)
{
    TJXApp *app = MakeApp();
    int activated = 0;
    int signalled = 0;
    app->OnActivate = [&](TObject *sender) {
        EXPECT_EQ(sender, app);
        ++activated;
    };
    QObject::connect(app, &TJXApp::onActivate, [&] { ++signalled; });
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QApplicationStateChangeEvent active(Qt::ApplicationActive);
    QCoreApplication::sendEvent(qApp, &inactive);
    QCoreApplication::sendEvent(qApp, &active);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(signalled, 1);

    int minimised = 0;
    app->OnMinimize = [&](TObject *) { ++minimised; };
    Application()->Minimize();
    EXPECT_EQ(minimised, 1);
    Application()->Restore();

    // Without a handler an exception is shown as usual; with one, the handler has it.
    Application()->HandleException(nullptr, Exception(QStringLiteral("Ohne Handler")));
    ASSERT_EQ(test::Dialogs()->Texts(), QStringList{QStringLiteral("Ohne Handler")});
    QString caught;
    app->OnException = [&](TObject *, const Exception &e) { caught = e.Message(); };
    Application()->HandleException(nullptr, Exception(QStringLiteral("Mit Handler")));
    EXPECT_EQ(caught, QStringLiteral("Mit Handler"));
    EXPECT_EQ(test::Dialogs()->Shown().size(), 1u);

    // Help requests reach the component too.
    app->OnHelp = [](quint16, qintptr, bool &callHelp) {
        callHelp = false;
        return true;
    };
    EXPECT_TRUE(Application()->HelpCommand(3, 0));

    // A handler the program sets later stays; the component's own go with it.
    int programIdle = 0;
    Application()->OnIdle = [&](TObject *, bool &) { ++programIdle; };
    app->Free();
    EXPECT_FALSE(bool(Application()->OnActivate));
    EXPECT_FALSE(bool(Application()->OnException));
    ASSERT_TRUE(bool(Application()->OnIdle));
    bool done = true;
    Application()->OnIdle(nullptr, done);
    EXPECT_EQ(programIdle, 1);
    Application()->OnIdle = nullptr;
    Application()->HandleException(nullptr, Exception(QStringLiteral("Danach")));
    EXPECT_EQ(test::Dialogs()->Shown().size(), 2u);
}

TEST_F(JXAppTest, NotificationIconHidesTheApplicationUntilALeftClick)
{
    form->Show();
    TJXApp *app = MakeApp();
    Application()->SetTitle(QStringLiteral("Mein Programm"));
    std::vector<QString> events;
    app->OnTaskBarSetIcon = [&](TObject *) { events.push_back(QStringLiteral("set")); };
    app->OnTaskBarRemoveIcon = [&](TObject *) { events.push_back(QStringLiteral("remove")); };
    app->OnTaskBarMouseUp = [&](TObject *, TMouseButton button) {
        events.push_back(button == mbLeft ? QStringLiteral("left") : QStringLiteral("right"));
    };

    app->TaskBarSetIcon();
    EXPECT_TRUE(app->TaskBarIconShown());
    EXPECT_EQ(app->TrayIcon() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
    EXPECT_EQ(app->ShownTip(), QStringLiteral("Mein Programm"));
    EXPECT_FALSE(app->ShownIcon().isNull()); // never a blank icon
    EXPECT_FALSE(form->isVisible());

    app->SetTaskBarTip(QStringLiteral("Läuft im Hintergrund"));
    EXPECT_EQ(app->ShownTip(), QStringLiteral("Läuft im Hintergrund"));
    TIcon picture;
    picture.SetImage(Filled(Qt::green));
    app->SetTaskBarIcon(&picture);
    EXPECT_EQ(app->ShownIcon().pixelColor(3, 3), QColor(Qt::green));

    app->TaskBarMouseUp(mbLeft);
    EXPECT_FALSE(app->TaskBarIconShown());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("set"), QStringLiteral("remove"),
                                            QStringLiteral("left")}));
    // No icon, no clicks.
    app->TaskBarMouseUp(mbLeft);
    EXPECT_EQ(events.size(), 3u);
    form->Hide();
}

TEST_F(JXAppTest, RightClickOpensTheMenuAndKeepsTheIcon)
{
    form->Show();
    TJXApp *app = MakeApp();
    auto *menu = new TPopupMenu(form.get());
    auto *item = new TMenuItem(form.get());
    item->SetCaption(QStringLiteral("Beenden"));
    menu->Items()->Add(item);
    app->SetTaskBarPopupMenu(menu);
    app->SetTaskBarAutoHide(false);
    TMouseButton clicked = mbMiddle;
    app->OnTaskBarMouseUp = [&](TObject *, TMouseButton button) { clicked = button; };

    app->TaskBarSetIcon();
    EXPECT_TRUE(form->isVisible()); // no auto-hide
    app->TaskBarMouseUp(mbRight);
    EXPECT_EQ(clicked, mbRight);
    EXPECT_TRUE(menu->IsShown());
    EXPECT_TRUE(app->TaskBarIconShown());
    menu->CloseMenu();

    // The middle button means nothing.
    clicked = mbLeft;
    app->TaskBarMouseUp(mbMiddle);
    EXPECT_EQ(clicked, mbLeft);

    // Without auto-remove a left click leaves the icon.
    app->SetTaskBarAutoRemove(false);
    app->TaskBarMouseUp(mbLeft);
    EXPECT_TRUE(app->TaskBarIconShown());

    menu->Free();
    EXPECT_EQ(app->TaskBarPopupMenu(), nullptr);
    app->TaskBarMouseUp(mbRight); // no menu any more: only the event
    EXPECT_EQ(clicked, mbRight);

    // Going away with the icon shown removes it without events.
    int removed = 0;
    app->OnTaskBarRemoveIcon = [&](TObject *) { ++removed; };
    app->Free();
    EXPECT_EQ(removed, 0);
    form->Hide();
}

TEST_F(JXAppTest, WithoutAMainFormTheProgramsWindowsAreHiddenAndShown)
{
    Application()->SetMainForm(nullptr);
    TForm other;
    other.Show();
    form->Show();
    TJXApp *app = MakeApp();
    app->HideApp();
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(form->isVisible());
    app->ShowApp();
    EXPECT_TRUE(other.isVisible());
    EXPECT_TRUE(form->isVisible());
    other.Hide();
    form->Hide();
}

TEST_F(JXAppTest, WithoutASystemTrayTheApplicationStaysOnScreen)
{
    platform::SetSystemTrayAvailable(false);
    form->Show();
    TJXApp *app = MakeApp();
    app->TaskBarSetIcon();
    EXPECT_TRUE(app->TaskBarIconShown());
    EXPECT_TRUE(form->isVisible());
    app->TaskBarRemoveIcon();
    EXPECT_FALSE(app->TaskBarIconShown());
    EXPECT_TRUE(form->isVisible());
    form->Hide();
}

TEST_F(JXAppTest, NothingOfTheNotificationIconInTheDesigner)
{
    TForm designed;
    designed.SetDesigning(true);
    auto *app = new TJXApp(&designed);
    int set = 0;
    app->OnTaskBarSetIcon = [&](TObject *) { ++set; };
    app->TaskBarSetIcon();
    EXPECT_FALSE(app->TaskBarIconShown());
    EXPECT_EQ(set, 0);
}

TEST_F(JXAppTest, ClipboardChangesAreReportedAfterLoading)
{
    TJXApp *app = MakeApp();
    int changes = 0;
    app->OnClipBoardChange = [&](TObject *sender) {
        EXPECT_EQ(sender, app);
        ++changes;
    };
    int otherViewer = 0;
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, app,
                     [&] { ++otherViewer; });
    QGuiApplication::clipboard()->setText(QStringLiteral("vor dem Laden"));
    EXPECT_EQ(changes, 0);
    jxt::Loaded(form.get());
    QGuiApplication::clipboard()->setText(QStringLiteral("kopiert"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(otherViewer, 2); // other watchers keep hearing of changes
    app->Free();
    QGuiApplication::clipboard()->setText(QStringLiteral("danach"));
    EXPECT_EQ(changes, 1);
}

TEST_F(JXAppTest, AppInfoOfThisProgramShowsItsOwnNamesAndVersion)
{
    TJXApp *app = MakeApp();
    const QString oldName = QCoreApplication::applicationName();
    const QString oldOrganisation = QCoreApplication::organizationName();
    const QString oldVersion = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationName(QStringLiteral("Prüfprogramm"));
    QCoreApplication::setOrganizationName(QStringLiteral("jxt Werkstatt"));
    QCoreApplication::setApplicationVersion(QStringLiteral("3.1.4"));
    QStringList lines;
    QString caption;
    test::Dialogs()->Responder = [&](TDialogRequest &request) {
        EXPECT_EQ(frmAppInfo, request.form);
        if (auto *info = qobject_cast<TfrmAppInfo *>(request.form)) {
            lines = info->Lines();
            caption = info->Caption();
        }
        return int(mrOk);
    };
    app->ShowAppInfo();
    QCoreApplication::setApplicationName(oldName);
    QCoreApplication::setOrganizationName(oldOrganisation);
    QCoreApplication::setApplicationVersion(oldVersion);
    EXPECT_EQ(frmAppInfo, nullptr);
    EXPECT_EQ(caption, QStringLiteral("Versionsinformationen"));
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0],
              QStringLiteral(" CurrentFileName: ") + QCoreApplication::applicationFilePath());
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[2], QStringLiteral("     CompanyName: jxt Werkstatt"));
    EXPECT_EQ(lines[4], QStringLiteral("     FileVersion: 3.1.4"));
    EXPECT_EQ(lines[9], QStringLiteral("     ProductName: Prüfprogramm"));
    EXPECT_EQ(lines[10], QStringLiteral("  ProductVersion: 3.1.4"));
    EXPECT_EQ(lines[11], QStringLiteral("        Comments: "));
}

TEST_F(JXAppTest, AppInfoOfAWindowsProgramListsItsVersionResource)
{
    const QString launcher = QStringLiteral("/usr/lib/python3/dist-packages/distlib/w64.exe");
    if (!QFileInfo::exists(launcher))
        GTEST_SKIP() << "needs the Debian package python3-distlib (scripts/install-deps.sh)";
    TfrmAppInfo info;
    info.ShowInfo(launcher);
    const QStringList lines = info.Lines();
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral(" CurrentFileName: ") + launcher);
    EXPECT_EQ(lines[3], QStringLiteral(" FileDescription: Simple Launcher Executable"));
    EXPECT_EQ(lines[8], QStringLiteral("OriginalFileName: w64.exe"));

    // Another file without a resource stays without texts.
    info.ShowInfo(QStringLiteral(JXT_TEST_DATA_DIR));
    EXPECT_EQ(info.Lines()[2], QStringLiteral("     CompanyName: "));
}

TEST_F(JXAppTest, AppInfoWindowKeepsItsSizeAndCentresItsButton)
{
    TfrmAppInfo info;
    EXPECT_EQ(info.Width(), 460);
    EXPECT_EQ(info.Height(), 360);
    info.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(info.Width(), 460);
    EXPECT_EQ(info.Height(), 360);
    info.SetBounds(0, 0, 700, 500);
    EXPECT_EQ(info.btnOK->Left(), (info.Panel1->Width() - 75) / 2);
    EXPECT_EQ(info.Panel1->Height(), 41);
    const QRect memo = info.Memo1->geometry();
    EXPECT_EQ(memo.left(), 5);
    EXPECT_EQ(memo.width(), 700 - 10);
    EXPECT_EQ(memo.height(), 500 - 41 - 10);
    // Every control carries its name.
    for (const char *name : {"Panel2", "Memo1", "Panel1", "btnOK", "JXForm1"})
        EXPECT_NE(info.FindComponent(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(info.findChild<TMemo *>(QStringLiteral("Memo1")), info.Memo1);
    EXPECT_EQ(info.Memo1->Font()->Name(), QStringLiteral("Courier New"));
    EXPECT_EQ(info.Memo1->ScrollBars(), ssVertical);
}
