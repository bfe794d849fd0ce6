// SPDX-License-Identifier: MIT
// Takes the pictures of Qt Designer in the documentation: Designer's own widget box, form
// editor, object inspector and property editor, made from Designer's components library as
// its main window arranges them, with the library's plugin loaded from the plugin path as
// Designer loads it. It opens a form with some of the components, selects the gauge so the
// property editor shows its colours, font and values, and opens the animation editor from the
// animation's context menu.
//
// Usage: QT_PLUGIN_PATH=<build>/plugins jxtdesignerscreenshots OUTPUT_FOLDER PICTURE_FOLDER
// (the animation editor lists the pictures of PICTURE_FOLDER; scripts/designer-screenshots.sh runs
// it under Xvfb). Writes designer.png (the whole window), designer-widget-box.png,
// designer-property-editor.png and designer-animation-editor.png; exits with 1 when the plugin or a
// part is missing.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerObjectInspectorInterface>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QDesignerWidgetBoxInterface>
#include <QtDesigner/QDesignerWidgetDataBaseInterface>
#include <QtDesigner/QExtensionManager>

#include <cmath>
#include <cstdio>

namespace {

const QString kPage = QStringLiteral("JX Tools");

/// Lets the event loop run for ms milliseconds (pictures load, timers paint).
void Settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(const QPixmap &picture, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name);
    if (picture.isNull() || !picture.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%d x %d)\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

/// Eight frames of a turning spoke in a grid of 4 x 2, magenta around them.
bool WriteFrames(const QString &path)
{
    constexpr int kSide = 48;
    QImage frames(4 * kSide, 2 * kSide, QImage::Format_RGB32);
    frames.fill(QColor(255, 0, 255));
    QPainter p(&frames);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 8; ++i) {
        const QPointF centre((i % 4) * kSide + kSide / 2.0, (i / 4) * kSide + kSide / 2.0);
        p.setPen(QPen(QColor(0, 0, 128), 3));
        p.setBrush(QColor(0, 255, 255));
        p.drawEllipse(centre, kSide / 2.0 - 4, kSide / 2.0 - 4);
        const double angle = i * M_PI / 4;
        p.setPen(QPen(Qt::red, 3));
        p.drawLine(centre, centre + QPointF(17 * std::cos(angle), -17 * std::sin(angle)));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::yellow);
        p.drawEllipse(centre, 4, 4);
    }
    p.end();
    return frames.save(path);
}

QString Property(const QString &name, const QString &value)
{
    return QStringLiteral("   <property name=\"%1\" stdset=\"0\">%2</property>\n").arg(name, value);
}

QString Widget(const QString &cls, const QString &name, const QRect &r, const QString &props)
{
    return QStringLiteral("  <widget class=\"jxt::ui::%1\" name=\"%2\">\n"
                          "   <property name=\"geometry\"><rect><x>%3</x><y>%4</y>"
                          "<width>%5</width><height>%6</height></rect></property>\n")
               .arg(cls, name)
               .arg(r.x())
               .arg(r.y())
               .arg(r.width())
               .arg(r.height()) +
           props + QStringLiteral("  </widget>\n");
}

QString Color(int r, int g, int b)
{
    return QStringLiteral("<color alpha=\"255\"><red>%1</red><green>%2</green><blue>%3</blue>"
                          "</color>")
        .arg(r)
        .arg(g)
        .arg(b);
}

QString Text(const QString &text)
{
    return QStringLiteral("<string>%1</string>").arg(text);
}

QString Number(int n)
{
    return QStringLiteral("<number>%1</number>").arg(n);
}

/// A form of a meter panel: LCD and dot-matrix displays, gauges, a label, buttons, an
/// animation and a colour ramp behind them.
QString ShowcaseForm()
{
    QString body;
    body += Widget(QStringLiteral("TJXFillImage"), QStringLiteral("JXFillImage1"),
                   QRect(0, 0, 560, 380),
                   Property(QStringLiteral("FillStyle"),
                            QStringLiteral("<enum>jxt::TJXFillImage::vRAINBOW</enum>")) +
                       Property(QStringLiteral("RBFromColor"), Color(0, 0, 64)) +
                       Property(QStringLiteral("RBToColor"), Color(32, 96, 160)));
    body +=
        Widget(QStringLiteral("TJX3dLabel"), QStringLiteral("JX3dLabel1"), QRect(16, 10, 330, 44),
               Property(QStringLiteral("Caption"), Text(QStringLiteral("Messstand 3"))) +
                   Property(QStringLiteral("Transparent"), QStringLiteral("<bool>true</bool>")) +
                   Property(QStringLiteral("Font"),
                            QStringLiteral("<font><family>DejaVu Sans</family>"
                                           "<pointsize>20</pointsize><bold>true</bold></font>")) +
                   Property(QStringLiteral("Color"), Color(255, 255, 255)) +
                   Property(QStringLiteral("ShadowColor"), Color(0, 0, 0)));
    body +=
        Widget(QStringLiteral("TJXLCDPanel"), QStringLiteral("JXLCDPanel1"), QRect(16, 66, 250, 64),
               Property(QStringLiteral("Caption"), Text(QStringLiteral("12:34:56"))) +
                   Property(QStringLiteral("Columns"), Number(8)) +
                   Property(QStringLiteral("SegmentSize"), Number(2)));
    body += Widget(QStringLiteral("TJXDOTPanel"), QStringLiteral("JXDOTPanel1"),
                   QRect(284, 66, 260, 64),
                   Property(QStringLiteral("Caption"), Text(QStringLiteral("Druck 4,2 bar"))) +
                       Property(QStringLiteral("Columns"), Number(13)));
    body += Widget(QStringLiteral("TJXGauge"), QStringLiteral("JXGauge1"), QRect(16, 146, 250, 36),
                   Property(QStringLiteral("Progress"), Number(64)) +
                       Property(QStringLiteral("Boxes"), Number(20)) +
                       Property(QStringLiteral("BoxColor"), Color(255, 160, 0)));
    body += Widget(QStringLiteral("TJXGauge"), QStringLiteral("JXGauge2"), QRect(284, 146, 260, 36),
                   Property(QStringLiteral("Progress"), Number(35)) +
                       Property(QStringLiteral("Boxes"), Number(24)));
    body += Widget(QStringLiteral("TJXFontCombo"), QStringLiteral("JXFontCombo1"),
                   QRect(16, 198, 250, 26),
                   Property(QStringLiteral("SelFont"), Text(QStringLiteral("DejaVu Sans"))));
    body += Widget(
        QStringLiteral("TJXPanel"), QStringLiteral("JXPanel1"), QRect(16, 236, 250, 58),
        Property(QStringLiteral("CaptionFormat"), Text(QStringLiteral("%DayLong, %Date^M%Time"))) +
            Property(QStringLiteral("BevelInner"), QStringLiteral("<enum>jxt::bvLowered</enum>")));
    body +=
        Widget(QStringLiteral("TJXAnimate"), QStringLiteral("JXAnimate1"), QRect(284, 198, 96, 96),
               Property(QStringLiteral("Picture"), QStringLiteral("<pixmap>frames.png</pixmap>")) +
                   Property(QStringLiteral("Cols"), Number(4)) +
                   Property(QStringLiteral("Rows"), Number(2)));
    body += Widget(QStringLiteral("TJXBiBtn"), QStringLiteral("JXBiBtn1"), QRect(396, 198, 148, 40),
                   Property(QStringLiteral("Caption"), Text(QStringLiteral("Pumpe"))));
    body += Widget(QStringLiteral("TJXAutoButton"), QStringLiteral("JXAutoButton1"),
                   QRect(396, 254, 148, 40),
                   Property(QStringLiteral("Caption"), Text(QStringLiteral("Protokoll"))));
    body += Widget(
        QStringLiteral("TJXScrollText"), QStringLiteral("JXScrollText1"), QRect(16, 324, 528, 40),
        Property(QStringLiteral("Caption"), Text(QStringLiteral("Alle Werte im grünen Bereich"))) +
            Property(QStringLiteral("Interval"), Number(0)) +
            Property(QStringLiteral("Font"), QStringLiteral("<font><family>DejaVu Sans</family>"
                                                            "<pointsize>14</pointsize></font>")) +
            Property(QStringLiteral("Color"), Color(224, 240, 255)));
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n"
                          " <class>MeterPanel</class>\n"
                          " <widget class=\"QWidget\" name=\"MeterPanel\">\n"
                          "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>560</width>"
                          "<height>380</height></rect></property>\n") +
           body + QStringLiteral(" </widget>\n <resources/>\n <connections/>\n</ui>\n");
}

/// Shows only the library's page of the widget box: the other categories collapsed.
bool ShowOnlyOurPage(QDesignerWidgetBoxInterface *box)
{
    bool found = false;
    for (QTreeWidget *tree : box->findChildren<QTreeWidget *>()) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = tree->topLevelItem(i);
            const bool ours = item->text(0) == kPage;
            item->setExpanded(ours);
            if (ours) {
                found = true;
                tree->scrollToItem(item, QAbstractItemView::PositionAtTop);
            }
        }
    }
    return found;
}

/// Collapses the property editor's groups of Qt's own classes, so the component's
/// properties show.
void CollapseQtGroups(QDesignerPropertyEditorInterface *editor)
{
    for (QTreeView *view : editor->findChildren<QTreeView *>()) {
        QAbstractItemModel *model = view->model();
        if (!model)
            continue;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            const QString text = index.data().toString();
            if (text == QLatin1String("QObject") || text == QLatin1String("QWidget"))
                view->collapse(index);
        }
    }
}

QDockWidget *Dock(QMainWindow *window, const QString &title, QWidget *content,
                  Qt::DockWidgetArea area)
{
    auto *dock = new QDockWidget(title, window);
    dock->setObjectName(title);
    dock->setWidget(content);
    window->addDockWidget(area, dock);
    return dock;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER PICTURE_FOLDER\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    // The animation editor lists the pictures of the folder its settings name; the settings
    // of this run live in a folder of its own, so the user's stay untouched.
    QTemporaryDir folder;
    const QString settings = folder.filePath(QStringLiteral("config/jxtpack/designer.ini"));
    QFile ini(settings);
    if (!folder.isValid() || !QDir().mkpath(QFileInfo(settings).path()) ||
        !ini.open(QIODevice::WriteOnly) ||
        ini.write(QStringLiteral("[JXTools]\nAnimDir=%1\n")
                      .arg(QDir(QString::fromLocal8Bit(argv[2])).absolutePath())
                      .toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write the settings into a temporary folder\n");
        return 1;
    }
    ini.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));

    QDesignerComponents::initializeResources();
    QDesignerFormEditorInterface *core = QDesignerComponents::createFormEditor(&app);
    QDesignerComponents::initializePlugins(core);
    QDesignerComponents::createTaskMenu(core, &app);
    const QDesignerWidgetDataBaseInterface *db = core->widgetDataBase();
    if (db->indexOfClassName(QStringLiteral("jxt::ui::TJXGauge")) < 0) {
        std::fprintf(stderr, "the jxtpack Designer plugin was not loaded: set QT_PLUGIN_PATH "
                             "to the build's plugins folder\n");
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Qt Designer"));
    auto *area = new QMdiArea(&window);
    area->setBackground(QColor(0x80, 0x80, 0x80));
    window.setCentralWidget(area);
    QDesignerWidgetBoxInterface *box = QDesignerComponents::createWidgetBox(core, nullptr);
    core->setWidgetBox(box);
    QDesignerObjectInspectorInterface *inspector =
        QDesignerComponents::createObjectInspector(core, nullptr);
    core->setObjectInspector(inspector);
    QDesignerPropertyEditorInterface *properties =
        QDesignerComponents::createPropertyEditor(core, nullptr);
    core->setPropertyEditor(properties);
    new QDesignerIntegration(core, &window);
    QDockWidget *boxDock = Dock(&window, QStringLiteral("Widget Box"), box, Qt::LeftDockWidgetArea);
    QDockWidget *inspectorDock =
        Dock(&window, QStringLiteral("Object Inspector"), inspector, Qt::RightDockWidgetArea);
    QDockWidget *propertyDock =
        Dock(&window, QStringLiteral("Property Editor"), properties, Qt::RightDockWidgetArea);
    window.resizeDocks({boxDock}, {250}, Qt::Horizontal);
    window.resizeDocks({propertyDock}, {360}, Qt::Horizontal);
    window.resizeDocks({inspectorDock, propertyDock}, {220, 680}, Qt::Vertical);

    // The form, with its animation's picture beside it.
    const QString formPath = folder.filePath(QStringLiteral("MeterPanel.ui"));
    QFile formFile(formPath);
    if (!folder.isValid() || !WriteFrames(folder.filePath(QStringLiteral("frames.png"))) ||
        !formFile.open(QIODevice::WriteOnly) || formFile.write(ShowcaseForm().toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write the form into a temporary folder\n");
        return 1;
    }
    formFile.close();
    QDesignerFormWindowManagerInterface *manager = core->formWindowManager();
    QDesignerFormWindowInterface *form = manager->createFormWindow(nullptr, Qt::Widget);
    form->setFileName(formPath);
    QString error;
    formFile.open(QIODevice::ReadOnly);
    if (!form->setContents(&formFile, &error)) {
        std::fprintf(stderr, "the form could not be opened: %s\n", qPrintable(error));
        return 1;
    }
    QMdiSubWindow *sub = area->addSubWindow(form);
    sub->setWindowTitle(QStringLiteral("MeterPanel - MeterPanel.ui"));
    sub->resize(600, 440);
    sub->move(12, 12);
    manager->setActiveFormWindow(form);
    inspector->setFormWindow(form);

    window.resize(1440, 900);
    window.show();
    Settle(300);

    QWidget *gauge = form->mainContainer()->findChild<QWidget *>(QStringLiteral("JXGauge1"));
    QWidget *animate = form->mainContainer()->findChild<QWidget *>(QStringLiteral("JXAnimate1"));
    if (!gauge || !animate) {
        std::fprintf(stderr, "the form lacks its components\n");
        return 1;
    }
    form->clearSelection(false);
    form->selectWidget(gauge, true);
    properties->setObject(gauge);
    Settle(300);
    CollapseQtGroups(properties);
    if (!ShowOnlyOurPage(box)) {
        std::fprintf(stderr, "the widget box has no page \"%s\"\n", qPrintable(kPage));
        return 1;
    }
    Settle(500);

    bool ok = Save(window.grab(), output, QStringLiteral("designer.png"));
    ok = Save(boxDock->grab(), output, QStringLiteral("designer-widget-box.png")) && ok;
    ok = Save(propertyDock->grab(), output, QStringLiteral("designer-property-editor.png")) && ok;

    // The animation editor, from the animation's context menu; it runs modally, so it is
    // taken and closed from a timer.
    auto *menu = qt_extension<QDesignerTaskMenuExtension *>(core->extensionManager(), animate);
    QAction *edit = nullptr;
    for (QAction *action : menu ? menu->taskActions() : QList<QAction *>())
        if (action->text() == QLatin1String("Picture..."))
            edit = action;
    if (!edit) {
        std::fprintf(stderr, "the animation has no \"Picture...\" entry in its context menu\n");
        return 1;
    }
    bool editorTaken = false;
    QTimer::singleShot(1500, &app, [&] {
        if (QWidget *editor = QApplication::activeModalWidget()) {
            editorTaken =
                Save(editor->grab(), output, QStringLiteral("designer-animation-editor.png"));
            editor->close();
        }
    });
    edit->trigger();
    if (!editorTaken)
        std::fprintf(stderr, "the animation editor did not open\n");
    window.close();
    return ok && editorTaken ? 0 : 1;
}
