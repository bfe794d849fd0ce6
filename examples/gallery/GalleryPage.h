// SPDX-License-Identifier: MIT
// The building blocks of the gallery: a page per palette group, holding one section per
// component. A section shows the component live on a stage and its adjustable properties in a
// form beside it.
#pragma once

#include "host/controls/Controls.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QVBoxLayout;

namespace jxt::gallery {

/// One component's area on a page: a stage that the component is placed on (a TWinControl,
/// so Align and parent colours work as in a form) and a form of editors for its properties.
class TGallerySection : public QWidget
{
    Q_OBJECT

public:
    TGallerySection(const QString &title, const QString &description, QWidget *parent = nullptr);

    /// The container the live components go on; it grows to show all of them.
    TWinControl *Stage() const { return m_stage; }
    /// Puts a component on the stage at (left, top) and keeps the stage large enough for it.
    void Place(TControl *control, int left, int top);
    /// Rows of property editors, label and widget.
    QFormLayout *Form() const { return m_form; }

    /// A spin box in the form that calls apply on every change.
    QSpinBox *AddSpinBox(const QString &label, int minimum, int maximum, int value,
                         std::function<void(int)> apply);
    /// A check box in the form that calls apply whenever it is toggled.
    QCheckBox *AddCheckBox(const QString &label, bool checked, std::function<void(bool)> apply);
    /// A drop-down list in the form; apply gets the index of the chosen entry.
    QComboBox *AddChoice(const QString &label, const QStringList &entries, int current,
                         std::function<void(int)> apply);
    /// A one-line text editor in the form that calls apply on every edit.
    QLineEdit *AddLineEdit(const QString &label, const QString &text,
                           std::function<void(const QString &)> apply);
    /// A horizontal slider in the form that calls apply on every move.
    QSlider *AddSlider(const QString &label, int minimum, int maximum, int value,
                       std::function<void(int)> apply);
    /// A button in the form that cycles through colours, showing the current one; apply is
    /// called with each new colour.
    QPushButton *AddColorCycle(const QString &label, const std::vector<TColor> &colors,
                               TColor current, std::function<void(TColor)> apply);

    /// Fits the stage to the components placed on it (call after a component changed size).
    void FitStage();

    /// The title: the class names of the components the section shows.
    QString Title() const { return m_title; }

private:
    QString m_title;
    TWinControl *m_stage;
    QFormLayout *m_form;
    std::vector<TControl *> m_placed;
};

/// A tab of the gallery: sections stacked top to bottom.
class TGalleryPage : public QWidget
{
    Q_OBJECT

public:
    explicit TGalleryPage(QWidget *parent = nullptr);
    TGallerySection *AddSection(const QString &title, const QString &description);
    /// The sections in the order they were added.
    const std::vector<TGallerySection *> &Sections() const { return m_sections; }

private:
    QVBoxLayout *m_layout;
    std::vector<TGallerySection *> m_sections;
};

/// A page of the gallery: its file name for screenshots, its tab title and the function that
/// fills it (usually one call per component).
struct TGalleryPageInfo
{
    QString name;
    QString title;
    std::function<void(TGalleryPage &)> build;
};

/// The pages in tab order.
const std::vector<TGalleryPageInfo> &GalleryPages();

// The page builders, one per palette group; each calls the section functions of its
// components in palette order.
void BuildDisplayPage(TGalleryPage &page);
void BuildButtonsPage(TGalleryPage &page);
void BuildEffectsPage(TGalleryPage &page);
void BuildServicesPage(TGalleryPage &page);
void BuildListsPage(TGalleryPage &page);

// Component sections.
void AddScrollText(TGalleryPage &page);
void AddGauge(TGalleryPage &page);
void AddLCDPanel(TGalleryPage &page);
void AddDOTPanel(TGalleryPage &page);
void Add3dLabel(TGalleryPage &page);
void AddJXPanel(TGalleryPage &page);
void AddBlinker(TGalleryPage &page);
void AddBiBtn(TGalleryPage &page);
void AddAutoButton(TGalleryPage &page);
void AddGrabBar(TGalleryPage &page);
void AddFontCombo(TGalleryPage &page);
void AddDriveTab(TGalleryPage &page);
void AddAnimate(TGalleryPage &page);
void AddStars(TGalleryPage &page);
void AddBounce(TGalleryPage &page);
void Add3D(TGalleryPage &page);
void AddForm(TGalleryPage &page);
void AddFillImage(TGalleryPage &page);
void AddFxImage(TGalleryPage &page);
void AddWav(TGalleryPage &page);
void AddApp(TGalleryPage &page);
void AddCopy(TGalleryPage &page);
void AddFind(TGalleryPage &page);
void AddHint(TGalleryPage &page);
void AddINI(TGalleryPage &page);
void AddPrinter(TGalleryPage &page);
void AddPicClip(TGalleryPage &page);
void AddPicBox(TGalleryPage &page);
void AddIcoBox(TGalleryPage &page);

} // namespace jxt::gallery
