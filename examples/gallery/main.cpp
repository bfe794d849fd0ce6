// SPDX-License-Identifier: MIT
// jxtgallery: shows every component live, one tab per palette group.
//   jxtgallery                    opens the window
//   jxtgallery --screenshots DIR  renders every page into DIR/<page>.png, prints the paths
//                                 and exits (works headless with QT_QPA_PLATFORM=offscreen);
//                                 --settle MS lets the timers run that long first, so
//                                 scrolling texts, charts and meters show content
//   jxtgallery --component-shots DIR
//                                 renders the stage of every component's section into
//                                 DIR/<class>.png (DIR/<class>-dark.png with --dark), for
//                                 the reference documentation, and exits
//   jxtgallery --dark             starts in dark colours (also for --screenshots); the
//                                 menu "Ansicht" switches between light and dark
//   jxtgallery --idle S           runs minimised for S seconds and prints the processor
//                                 seconds used; with --qt-only the same for a window of
//                                 Qt's own widgets doing the same work; with --hidden the
//                                 window is hidden instead of minimised
#include "GalleryPage.h"
#include "QtOnlyWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace jxt::gallery;

/// Dark colours for every role the components and Qt's widgets draw with.
QPalette DarkPalette()
{
    QPalette p;
    const QColor window(0x2B, 0x2B, 0x2E), base(0x1E, 0x1E, 0x20), text(0xE6, 0xE6, 0xE6);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Light, QColor(0x5A, 0x5A, 0x60));
    p.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x48));
    p.setColor(QPalette::Mid, QColor(0x38, 0x38, 0x3C));
    p.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x1A));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x3D, 0x7A, 0xD6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    return p;
}

class TGalleryWindow : public QMainWindow
{
public:
    TGalleryWindow()
    {
        setWindowTitle(QStringLiteral("JX Tools – Galerie"));
        m_tabs = new QTabWidget(this);
        setCentralWidget(m_tabs);
        QSize wanted(640, 400);
        for (const TGalleryPageInfo &info : GalleryPages()) {
            auto *page = new TGalleryPage;
            info.build(*page);
            m_pages.push_back(page);
            auto *scroll = new QScrollArea;
            scroll->setWidget(page);
            scroll->setWidgetResizable(true);
            m_tabs->addTab(scroll, info.title);
            wanted = wanted.expandedTo(page->sizeHint() + QSize(40, 80));
        }
        resize(wanted.boundedTo(QSize(1400, 1000)));

        m_lightPalette = QApplication::palette();
        QMenu *view = menuBar()->addMenu(QStringLiteral("&Ansicht"));
        m_darkAction = view->addAction(QStringLiteral("&Dunkle Farben"));
        m_darkAction->setCheckable(true);
        connect(m_darkAction, &QAction::toggled, this, [this](bool dark) { SetDark(dark); });
    }

    /// Light (the palette the application started with) or dark colours for everything.
    void SetDark(bool dark)
    {
        m_darkAction->setChecked(dark);
        QApplication::setPalette(dark ? DarkPalette() : m_lightPalette);
    }

    /// Renders each page, whole (not only the part the scroll area shows), into
    /// dir/<name>.png after the timers ran for settleMs; returns false when one could not be
    /// written.
    bool SaveScreenshots(const QString &dir, int settleMs)
    {
        if (!QDir().mkpath(dir)) {
            std::fprintf(stderr, "jxtgallery: cannot create %s\n", qPrintable(dir));
            return false;
        }
        show();
        RunEvents(settleMs);
        const auto &pages = GalleryPages();
        for (int i = 0; i < m_tabs->count() && i < int(pages.size()); ++i) {
            m_tabs->setCurrentIndex(i);
            // Let layouts settle and the components of the page paint a few timer steps
            // before taking the picture.
            RunEvents(kPageSettleMs);
            const QString path =
                QDir(dir).filePath(pages[std::size_t(i)].name + QStringLiteral(".png"));
            if (!m_pages[std::size_t(i)]->grab().save(path, "PNG")) {
                std::fprintf(stderr, "jxtgallery: cannot write %s\n", qPrintable(path));
                return false;
            }
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
        }
        return true;
    }

    /// Renders the stage of every section into dir/<class>.png, once for each component class
    /// its title names, with the suffix "-dark" in dark colours.
    bool SaveComponentShots(const QString &dir, int settleMs, bool dark)
    {
        if (!QDir().mkpath(dir)) {
            std::fprintf(stderr, "jxtgallery: cannot create %s\n", qPrintable(dir));
            return false;
        }
        show();
        RunEvents(settleMs);
        static const QRegularExpression className(QStringLiteral("\\bTJX\\w+"));
        for (int i = 0; i < m_tabs->count(); ++i) {
            m_tabs->setCurrentIndex(i);
            RunEvents(kPageSettleMs);
            for (TGallerySection *section : m_pages[std::size_t(i)]->Sections()) {
                const QPixmap shot = section->Stage()->grab();
                auto names = className.globalMatch(section->Title());
                while (names.hasNext()) {
                    const QString name =
                        names.next().captured(0) + (dark ? QStringLiteral("-dark") : QString());
                    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
                    if (!shot.save(path, "PNG")) {
                        std::fprintf(stderr, "jxtgallery: cannot write %s\n", qPrintable(path));
                        return false;
                    }
                }
            }
        }
        return true;
    }

private:
    static constexpr int kPageSettleMs = 400;

    static void RunEvents(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    QTabWidget *m_tabs;
    std::vector<TGalleryPage *> m_pages;
    QPalette m_lightPalette;
    QAction *m_darkAction = nullptr;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jxtgallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the jxtpack components live."));
    parser.addHelpOption();
    const QCommandLineOption screenshots(
        QStringLiteral("screenshots"),
        QStringLiteral("Render every page into DIR/<page>.png and exit."), QStringLiteral("DIR"));
    parser.addOption(screenshots);
    const QCommandLineOption componentShots(
        QStringLiteral("component-shots"),
        QStringLiteral("Render every component's stage into DIR/<class>.png and exit."),
        QStringLiteral("DIR"));
    parser.addOption(componentShots);
    const QCommandLineOption settle(
        QStringLiteral("settle"),
        QStringLiteral("With --screenshots: let the components run MS "
                       "milliseconds before the first picture (default 0)."),
        QStringLiteral("MS"), QStringLiteral("0"));
    parser.addOption(settle);
    const QCommandLineOption dark(QStringLiteral("dark"), QStringLiteral("Start in dark colours."));
    parser.addOption(dark);
    const QCommandLineOption idle(QStringLiteral("idle"),
                                  QStringLiteral("Run minimised for S seconds and print the "
                                                 "processor seconds used."),
                                  QStringLiteral("S"));
    parser.addOption(idle);
    const QCommandLineOption qtOnly(QStringLiteral("qt-only"),
                                    QStringLiteral("With --idle: measure a window of Qt's own "
                                                   "widgets doing the same work."));
    parser.addOption(qtOnly);
    const QCommandLineOption hidden(QStringLiteral("hidden"),
                                    QStringLiteral("With --idle: hide the window instead of "
                                                   "minimising it."));
    parser.addOption(hidden);
    parser.process(app);
    const TIdleState idleState = parser.isSet(hidden) ? TIdleState::Hidden : TIdleState::Minimised;

    if (parser.isSet(idle) && parser.isSet(qtOnly)) {
        std::unique_ptr<QWidget> anchor(CreateQtOnlyWindow());
        std::printf("qt-only %.3f\n",
                    MeasureIdle(*anchor, std::max(1, parser.value(idle).toInt()), idleState));
        return 0;
    }
    TGalleryWindow window;
    if (parser.isSet(dark))
        window.SetDark(true);
    if (parser.isSet(idle)) {
        std::printf("gallery %.3f\n",
                    MeasureIdle(window, std::max(1, parser.value(idle).toInt()), idleState));
        return 0;
    }
    if (parser.isSet(componentShots))
        return window.SaveComponentShots(parser.value(componentShots),
                                         std::max(0, parser.value(settle).toInt()),
                                         parser.isSet(dark))
                   ? 0
                   : 1;
    if (parser.isSet(screenshots))
        return window.SaveScreenshots(parser.value(screenshots),
                                      std::max(0, parser.value(settle).toInt()))
                   ? 0
                   : 1;
    window.show();
    return app.exec();
}
