// SPDX-License-Identifier: MIT
#include "host/controls/CustomComboBox.h"

#include "host/core/Events.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>

namespace jxt {

namespace {

// The Qt combo box inside the control; tells the control before its list opens.
class TComboWidget : public QComboBox
{
public:
    TComboWidget(QWidget *parent, std::function<void()> beforePopup)
        : QComboBox(parent), m_beforePopup(std::move(beforePopup))
    {}
    void showPopup() override
    {
        const QPointer<QComboBox> alive(this);
        if (m_beforePopup)
            m_beforePopup();
        if (alive)
            QComboBox::showPopup();
    }

private:
    std::function<void()> m_beforePopup;
};

TShiftState ShiftOfModifiers(Qt::KeyboardModifiers mods)
{
    TShiftState s;
    if (mods & Qt::ShiftModifier)
        s.Include(ssShift);
    if (mods & Qt::AltModifier)
        s.Include(ssAlt);
    if (mods & Qt::ControlModifier)
        s.Include(ssCtrl);
    return s;
}

} // namespace

TCustomComboBox::TCustomComboBox(TComponent *owner)
    : TWinControl(owner), m_combo(new TComboWidget(this, [this] { DropDown(); }))
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_combo);
    m_combo->installEventFilter(this);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_items.OnChange = [this](TObject *) { ItemsChanged(); };
    ApplyStyle();
    // Only the user's choices and edits count as changes; code that sets the index or the
    // text blocks these signals.
    QObject::connect(m_combo, qOverload<int>(&QComboBox::activated), this, [this](int) {
        const QPointer<TCustomComboBox> alive(this);
        Click();
        if (alive)
            Change();
    });
    SetBounds(Left(), Top(), 145, m_combo->sizeHint().height());
    m_combo->setGeometry(0, 0, Width(), Height());
    m_combo->show();
}

TCustomComboBox::~TCustomComboBox()
{
    m_items.OnChange = nullptr;
}

void TCustomComboBox::ApplyStyle()
{
    const bool editable = m_style == csDropDown || m_style == csSimple;
    const QSignalBlocker block(m_combo);
    const QString text = m_combo->currentText();
    m_combo->setEditable(editable);
    if (editable) {
        m_combo->lineEdit()->setText(text);
        if (m_combo->lineEdit() != m_edit) {
            m_edit = m_combo->lineEdit();
            QObject::connect(m_edit, &QLineEdit::textEdited, this, [this] { Change(); });
        }
    }
}

void TCustomComboBox::ItemsChanged()
{
    if (m_filling)
        return;
    ++m_filling;
    const QSignalBlocker block(m_combo);
    const int index = m_combo->currentIndex();
    const QString text = Text();
    QStringList list;
    list.reserve(m_items.Count());
    for (int i = 0; i < m_items.Count(); ++i)
        list.append(m_items.Get(i));
    m_combo->clear();
    m_combo->addItems(list);
    m_combo->setCurrentIndex(index < list.size() ? index : -1);
    if (m_combo->isEditable())
        m_combo->setEditText(text);
    --m_filling;
}

int TCustomComboBox::ItemIndex() const
{
    return m_combo->currentIndex();
}

void TCustomComboBox::SetItemIndex(int index)
{
    const QSignalBlocker block(m_combo);
    m_combo->setCurrentIndex(index >= 0 && index < m_combo->count() ? index : -1);
}

QString TCustomComboBox::Text() const
{
    return m_combo->currentText();
}

void TCustomComboBox::SetText(const QString &text)
{
    const QSignalBlocker block(m_combo);
    if (m_combo->isEditable()) {
        m_combo->setEditText(text);
        return;
    }
    m_combo->setCurrentIndex(m_combo->findText(text, Qt::MatchFixedString));
}

void TCustomComboBox::SetStyle(TComboBoxStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    ApplyStyle();
}

void TCustomComboBox::SetSorted(bool sorted)
{
    m_items.SetSorted(sorted);
}

void TCustomComboBox::SetItemHeight(int height)
{
    m_itemHeight = height > 0 ? height : m_itemHeight;
}

bool TCustomComboBox::DroppedDown() const
{
    return m_combo->view() && m_combo->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool down)
{
    if (down)
        m_combo->showPopup();
    else
        m_combo->hidePopup();
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::DropDown()
{
    FireEvent(this, OnDropDown, &TCustomComboBox::onDropDown, this);
}

void TCustomComboBox::KeyDown(int &key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TCustomComboBox::FontChanged()
{
    TWinControl::FontChanged();
    m_combo->setFont(Font()->ToQFont());
    updateGeometry();
}

void TCustomComboBox::resizeEvent(QResizeEvent *event)
{
    TWinControl::resizeEvent(event);
    m_combo->setGeometry(0, 0, width(), height());
}

void TCustomComboBox::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

void TCustomComboBox::keyReleaseEvent(QKeyEvent *event)
{
    event->ignore();
}

bool TCustomComboBox::eventFilter(QObject *watched, QEvent *event)
{
    // The inner box is what screen readers reach: it carries the control's name.
    if (watched == m_combo && (event->type() == QEvent::Polish || event->type() == QEvent::Show))
        m_combo->setAccessibleName(AccessibleNameOf(this));
    if (watched == m_combo && event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        int key = keyEvent->key();
        const QPointer<TCustomComboBox> alive(this);
        KeyDown(key, ShiftOfModifiers(keyEvent->modifiers()));
        if (!alive || key == 0)
            return true;
    }
    return TWinControl::eventFilter(watched, event);
}

QSize TCustomComboBox::sizeHint() const
{
    return m_combo->sizeHint();
}

QSize TCustomComboBox::minimumSizeHint() const
{
    return m_combo->minimumSizeHint();
}

} // namespace jxt
