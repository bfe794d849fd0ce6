// SPDX-License-Identifier: MIT
// jxtgallery: shows every component live, one tab per palette group.
//   jxtgallery                    opens the window
//   jxtgallery --screenshots DIR  renders every page into DIR/<page>.png, prints the paths
//                                 and exits (works headless with QT_QPA_PLATFORM=offscreen)
#include "GalleryPage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMainWindow>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

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
            auto *scroll = new QScrollArea;
            scroll->setWidget(page);
            scroll->setWidgetResizable(true);
            m_tabs->addTab(scroll, info.title);
            wanted = wanted.expandedTo(page->sizeHint() + QSize(40, 80));
        }
        resize(wanted.boundedTo(QSize(1400, 1000)));
    }

    /// Renders each page into dir/<name>.png; returns false when one could not be written.
    bool SaveScreenshots(const QString &dir)
    {
        if (!QDir().mkpath(dir)) {
            std::fprintf(stderr, "jxtgallery: cannot create %s\n", qPrintable(dir));
            return false;
        }
        show();
        const auto &pages = GalleryPages();
        for (int i = 0; i < m_tabs->count() && i < int(pages.size()); ++i) {
            m_tabs->setCurrentIndex(i);
            // Let layouts settle and the components paint before taking the picture.
            for (int round = 0; round < 3; ++round)
                QApplication::processEvents();
            const QString path = QDir(dir).filePath(pages[std::size_t(i)].name + QStringLiteral(".png"));
            if (!grab().save(path, "PNG")) {
                std::fprintf(stderr, "jxtgallery: cannot write %s\n", qPrintable(path));
                return false;
            }
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
        }
        return true;
    }

private:
    QTabWidget *m_tabs;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jxtgallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the jxtpack components live."));
    parser.addHelpOption();
    const QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                         QStringLiteral("Render every page into DIR/<page>.png and exit."),
                                         QStringLiteral("DIR"));
    parser.addOption(screenshots);
    parser.process(app);

    TGalleryWindow window;
    if (parser.isSet(screenshots))
        return window.SaveScreenshots(parser.value(screenshots)) ? 0 : 1;
    window.show();
    return app.exec();
}
