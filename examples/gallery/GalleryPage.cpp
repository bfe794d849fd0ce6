// SPDX-License-Identifier: MIT
#include "GalleryPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace jxt::gallery {

namespace {

constexpr int kStageMargin = 8;

QIcon Swatch(TColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(ColorToQColor(color));
    return QIcon(pixmap);
}

} // namespace

TGallerySection::TGallerySection(const QString &title, const QString &description, QWidget *parent)
    : QWidget(parent), m_title(title)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *box = new QGroupBox(title, this);
    outer->addWidget(box);

    auto *column = new QVBoxLayout(box);
    auto *text = new QLabel(description, box);
    text->setWordWrap(true);
    column->addWidget(text);

    auto *row = new QHBoxLayout;
    column->addLayout(row);
    m_stage = new TWinControl;
    m_stage->SetColor(clBtnFace);
    row->addWidget(m_stage, 0, Qt::AlignTop | Qt::AlignLeft);
    m_form = new QFormLayout;
    row->addLayout(m_form);
    row->addStretch(1);
    FitStage();
}

void TGallerySection::Place(TControl *control, int left, int top)
{
    control->SetParent(m_stage);
    control->SetBounds(left, top, control->Width(), control->Height());
    m_placed.push_back(control);
    // Components may change their own size while painting; the stage follows.
    auto previous = control->OnResize;
    control->OnResize = [this, previous](TObject *sender) {
        if (previous)
            previous(sender);
        FitStage();
    };
    FitStage();
}

void TGallerySection::FitStage()
{
    int right = 0;
    int bottom = 0;
    for (TControl *control : m_placed) {
        right = std::max(right, control->Left() + control->Width());
        bottom = std::max(bottom, control->Top() + control->Height());
    }
    m_stage->setFixedSize(right + kStageMargin, bottom + kStageMargin);
}

QSpinBox *TGallerySection::AddSpinBox(const QString &label, int minimum, int maximum, int value,
                                      std::function<void(int)> apply)
{
    auto *spin = new QSpinBox(this);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    connect(spin, &QSpinBox::valueChanged, this, [apply](int v) { apply(v); });
    m_form->addRow(label, spin);
    return spin;
}

QCheckBox *TGallerySection::AddCheckBox(const QString &label, bool checked,
                                        std::function<void(bool)> apply)
{
    auto *box = new QCheckBox(this);
    box->setChecked(checked);
    connect(box, &QCheckBox::toggled, this, [apply](bool on) { apply(on); });
    m_form->addRow(label, box);
    return box;
}

QComboBox *TGallerySection::AddChoice(const QString &label, const QStringList &entries, int current,
                                      std::function<void(int)> apply)
{
    auto *combo = new QComboBox(this);
    combo->addItems(entries);
    combo->setCurrentIndex(current);
    connect(combo, &QComboBox::currentIndexChanged, this, [apply](int index) {
        if (index >= 0)
            apply(index);
    });
    m_form->addRow(label, combo);
    return combo;
}

QLineEdit *TGallerySection::AddLineEdit(const QString &label, const QString &text,
                                        std::function<void(const QString &)> apply)
{
    auto *edit = new QLineEdit(text, this);
    edit->setMinimumWidth(220);
    connect(edit, &QLineEdit::textEdited, this, [apply](const QString &value) { apply(value); });
    m_form->addRow(label, edit);
    return edit;
}

QSlider *TGallerySection::AddSlider(const QString &label, int minimum, int maximum, int value,
                                    std::function<void(int)> apply)
{
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setMinimumWidth(160);
    connect(slider, &QSlider::valueChanged, this, [apply](int v) { apply(v); });
    m_form->addRow(label, slider);
    return slider;
}

QPushButton *TGallerySection::AddColorCycle(const QString &label, const std::vector<TColor> &colors,
                                            TColor current, std::function<void(TColor)> apply)
{
    auto *button = new QPushButton(this);
    auto index = std::make_shared<std::size_t>(0);
    const auto found = std::find(colors.begin(), colors.end(), current);
    if (found != colors.end())
        *index = std::size_t(found - colors.begin());
    const auto show = [button](TColor color) {
        button->setIcon(Swatch(color));
        button->setText(ColorToString(color));
    };
    show(current);
    connect(button, &QPushButton::clicked, this, [=] {
        if (colors.empty())
            return;
        *index = (*index + 1) % colors.size();
        show(colors[*index]);
        apply(colors[*index]);
    });
    m_form->addRow(label, button);
    return button;
}

TGalleryPage::TGalleryPage(QWidget *parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->addStretch(1);
}

TGallerySection *TGalleryPage::AddSection(const QString &title, const QString &description)
{
    auto *section = new TGallerySection(title, description, this);
    // Sections go above the closing stretch.
    m_layout->insertWidget(m_layout->count() - 1, section);
    m_sections.push_back(section);
    return section;
}

} // namespace jxt::gallery
