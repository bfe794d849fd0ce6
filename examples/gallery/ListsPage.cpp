// SPDX-License-Identifier: MIT
// "Bilder & Icons": the picture clip, the picture box over the sample pictures and the icon
// box over the sample icon library, one Add… function each.
#include "GalleryPage.h"

#include "controls/JXIcoBox.h"
#include "controls/JXPicBox.h"
#include "controls/JXPicClip.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <memory>

namespace jxt::gallery {

namespace {

/// The examples folder: next to the sources when run from a build tree, else installed data.
QString ExamplesDir()
{
#ifdef JXT_EXAMPLES_DIR
    if (QFileInfo::exists(QStringLiteral(JXT_EXAMPLES_DIR)))
        return QStringLiteral(JXT_EXAMPLES_DIR);
#endif
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/jxtpack/examples");
}

} // namespace

void AddPicClip(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXPicClip"),
        QStringLiteral(
            "Eine Zelle aus dem Raster eines Bildes; der Zeitgeber fragt nach der nächsten."));
    // The grid: eight numbered cells of 40 x 40 in a hidden image.
    auto *image = new TImage(section.Stage());
    TBitmap grid(160, 80);
    for (int k = 0; k < 8; ++k) {
        const TRect cell = Rect((k % 4) * 40, (k / 4) * 40, (k % 4) * 40 + 40, (k / 4) * 40 + 40);
        grid.Canvas()->FillSolid(cell, RGB(40 + 25 * k, 90, 200 - 20 * k));
        grid.Canvas()->Font()->SetColor(clWhite);
        grid.Canvas()->Font()->SetSize(14);
        grid.Canvas()->Brush()->SetStyle(bsClear);
        TRect text = cell;
        grid.Canvas()->DrawText(QString::number(k), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    image->Picture()->SetBitmap(&grid);
    image->SetVisible(false);

    auto *clip = new TJXPicClip(section.Stage());
    clip->SetImage(image);
    clip->SetCols(4);
    clip->SetRows(2);
    clip->SetBounds(0, 0, 80, 80);
    auto step = std::make_shared<int>(1);
    clip->OnRequestPic = [step](TObject *, int &number, int) { number += *step; };
    clip->SetInterval(500);
    section.Place(clip, 8, 8);

    section.AddSpinBox(QStringLiteral("Interval"), 0, 2000, 500,
                       [clip](int v) { clip->SetInterval(v); });
    section.AddCheckBox(QStringLiteral("Stretch"), true, [clip, &section](bool v) {
        clip->SetStretch(v);
        if (v)
            clip->SetBounds(clip->Left(), clip->Top(), 80, 80);
        section.FitStage();
    });
    section.AddSpinBox(QStringLiteral("PicOffset"), 0, 7, 0, [clip](int v) {
        clip->SetPicOffset(v);
        clip->Invalidate();
    });
    section.AddCheckBox(QStringLiteral("Rückwärts"), false, [step](bool v) { *step = v ? -1 : 1; });
}

void AddPicBox(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXPicBox"),
        QStringLiteral("Vorschaubilder eines Verzeichnisses, im Hintergrund gesammelt."));
    auto *box = new TJXPicBox(section.Stage());
    box->SetBounds(0, 0, 420, 200);
    box->SetCaption(true);
    box->SetPicType({ptBMP, ptICO});
    box->SetPicPattern(ExamplesDir() + QStringLiteral("/pictures/*.*"));
    section.Place(box, 8, 8);
    box->Loaded();

    section.AddLineEdit(QStringLiteral("PicPattern"), box->PicPattern(),
                        [box](const QString &v) { box->SetPicPattern(v); });
    section.AddSpinBox(QStringLiteral("PicWidth"), 32, 200, box->PicWidth(),
                       [box](int v) { box->SetPicWidth(v); });
    section.AddSpinBox(QStringLiteral("PicHeight"), 32, 200, box->PicHeight(),
                       [box](int v) { box->SetPicHeight(v); });
    section.AddSpinBox(QStringLiteral("BorderWidth"), 0, 20, box->BorderWidth(),
                       [box](int v) { box->SetBorderWidth(v); });
    section.AddSpinBox(QStringLiteral("BorderSpace"), 1, 20, box->BorderSpace(),
                       [box](int v) { box->SetBorderSpace(v); });
    section.AddCheckBox(QStringLiteral("Caption"), true, [box](bool v) { box->SetCaption(v); });
    section.AddCheckBox(QStringLiteral("SubDirs"), false, [box](bool v) { box->SetSubDirs(v); });
    auto *count = new QLabel(QStringLiteral("0"));
    section.Form()->addRow(QStringLiteral("PicCount"), count);
    box->OnChangePicCount = [count](TObject *, int n) { count->setText(QString::number(n)); };
    count->setText(QString::number(box->PicCount()));
}

void AddIcoBox(TGalleryPage &page)
{
    auto &section =
        *page.AddSection(QStringLiteral("TJXIcoBox"),
                         QStringLiteral("Alle Icons einer Datei, hier einer kleinen Bibliothek."));
    auto *box = new TJXIcoBox(section.Stage());
    box->SetBounds(0, 0, 300, 120);
    box->SetIconFileName(ExamplesDir() + QStringLiteral("/icons/shapes.dll"));
    section.Place(box, 8, 8);

    section.AddChoice(
        QStringLiteral("IconFileName"),
        {QStringLiteral("shapes.dll"), QStringLiteral("shapes.icl"), QStringLiteral("shapes.ico")},
        0, [box](int i) {
            static const char *const files[] = {"shapes.dll", "shapes.icl", "shapes.ico"};
            box->SetIconFileName(ExamplesDir() + QStringLiteral("/icons/") +
                                 QLatin1String(files[i]));
        });
    section.AddCheckBox(QStringLiteral("Border"), true, [box](bool v) { box->SetBorder(v); });
    section.AddCheckBox(QStringLiteral("Caption"), true, [box](bool v) { box->SetCaption(v); });
    section.AddSpinBox(QStringLiteral("PicMinWidth"), 32, 150, box->PicMinWidth(),
                       [box](int v) { box->SetPicMinWidth(v); });
    section.AddSpinBox(QStringLiteral("PicMinHeight"), 32, 150, box->PicMinHeight(),
                       [box](int v) { box->SetPicMinHeight(v); });
}

void BuildListsPage(TGalleryPage &page)
{
    AddPicClip(page);
    AddPicBox(page);
    AddIcoBox(page);
}

} // namespace jxt::gallery
