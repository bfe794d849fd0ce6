// SPDX-License-Identifier: MIT
// jxtgallery: shows every component live, one tab per palette group.
//   jxtgallery                    opens the window
//   jxtgallery --screenshots DIR  renders every page into DIR/<page>.png, prints the paths
//                                 and exits (works headless with QT_QPA_PLATFORM=offscreen);
//                                 --settle MS lets the timers run that long first, so
//                                 scrolling texts, charts and meters show content
#include "GalleryPage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QMainWindow>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace jxt::gallery;

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
    const QCommandLineOption settle(
        QStringLiteral("settle"),
        QStringLiteral("With --screenshots: let the components run MS "
                       "milliseconds before the first picture (default 0)."),
        QStringLiteral("MS"), QStringLiteral("0"));
    parser.addOption(settle);
    parser.process(app);

    TGalleryWindow window;
    if (parser.isSet(screenshots))
        return window.SaveScreenshots(parser.value(screenshots),
                                      std::max(0, parser.value(settle).toInt()))
                   ? 0
                   : 1;
    window.show();
    return app.exec();
}
