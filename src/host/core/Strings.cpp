// SPDX-License-Identifier: MIT
#include "host/core/Strings.h"

#include <algorithm>

namespace jxt {

int TStrings::AddObject(const QString &s, TObject *object)
{
    const int index = Add(s);
    if (index >= 0)
        PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings *other)
{
    if (!other)
        return;
    BeginUpdate();
    for (int i = 0; i < other->Count(); ++i)
        AddObject(other->Get(i), other->GetObject(i));
    EndUpdate();
}

void TStrings::Exchange(int a, int b)
{
    const QString sa = Get(a);
    TObject *oa = GetObject(a);
    BeginUpdate();
    Put(a, Get(b));
    PutObject(a, GetObject(b));
    Put(b, sa);
    PutObject(b, oa);
    EndUpdate();
}

void TStrings::Move(int from, int to)
{
    if (from == to)
        return;
    const QString s = Get(from);
    TObject *o = GetObject(from);
    BeginUpdate();
    Delete(from);
    Insert(to, s);
    PutObject(to, o);
    EndUpdate();
}

int TStrings::IndexOf(const QString &s) const
{
    for (int i = 0; i < Count(); ++i)
        if (Get(i).compare(s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject *object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

QString TStrings::Text() const
{
    QString text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += QLatin1String("\r\n");
    }
    return text;
}

void TStrings::SetText(const QString &text)
{
    BeginUpdate();
    Clear();
    int start = 0;
    const int n = text.size();
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            Add(text.mid(start, i - start));
            ++i;
            if (c == QLatin1Char('\r') && i < n && text.at(i) == QLatin1Char('\n'))
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        Add(text.mid(start));
    EndUpdate();
}

QString TStrings::Names(int index) const
{
    const QString s = Get(index);
    const int eq = s.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : s.left(eq);
}

int TStrings::IndexOfName(const QString &name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString s = Get(i);
        const int eq = s.indexOf(QLatin1Char('='));
        if (eq >= 0 && s.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TStrings::Values(const QString &name) const
{
    const int i = IndexOfName(name);
    return i < 0 ? QString() : Get(i).mid(name.size() + 1);
}

void TStrings::SetValue(const QString &name, const QString &value)
{
    const int i = IndexOfName(name);
    if (value.isEmpty()) {
        if (i >= 0)
            Delete(i);
    } else if (i >= 0) {
        Put(i, name + QLatin1Char('=') + value);
    } else {
        Add(name + QLatin1Char('=') + value);
    }
}

QString TStrings::CommaText() const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i) {
        QString s = Get(i);
        if (s.isEmpty() || s.contains(QLatin1Char(',')) || s.contains(QLatin1Char(' ')) ||
            s.contains(QLatin1Char('"')))
            s = QLatin1Char('"') + s.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                QLatin1Char('"');
        parts << s;
    }
    return parts.join(QLatin1Char(','));
}

QStringList TStrings::ToStringList() const
{
    QStringList list;
    list.reserve(Count());
    for (int i = 0; i < Count(); ++i)
        list << Get(i);
    return list;
}

void TStrings::SetStrings(const QStringList &list)
{
    BeginUpdate();
    Clear();
    for (const QString &s : list)
        Add(s);
    EndUpdate();
}

void TStrings::EndUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0)
        Changed();
}

void TStrings::Changed()
{
    if (m_updateCount == 0 && OnChange)
        OnChange(this);
}

void TStrings::Assign(const TPersistent *source)
{
    if (const auto *other = dynamic_cast<const TStrings *>(source)) {
        if (other == this)
            return;
        BeginUpdate();
        Clear();
        AddStrings(other);
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

// TStringList

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

QString TStringList::Get(int index) const
{
    CheckIndex(index);
    return m_items[index].text;
}

void TStringList::Put(int index, const QString &s)
{
    CheckIndex(index);
    m_items[index].text = s;
    Changed();
}

TObject *TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return m_items[index].object;
}

void TStringList::PutObject(int index, TObject *object)
{
    CheckIndex(index);
    m_items[index].object = object;
    Changed();
}

bool TStringList::Find(const QString &s, int &index) const
{
    int lo = 0;
    int hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = m_items[mid].text.compare(s, Qt::CaseInsensitive);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (m_duplicates != dupAccept)
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

int TStringList::Add(const QString &s)
{
    int index = Count();
    if (m_sorted) {
        if (Find(s, index)) {
            if (m_duplicates == dupIgnore)
                return -1;
            if (m_duplicates == dupError)
                throw EListError(QStringLiteral("String list does not allow duplicates"));
        }
    }
    m_items.insert(m_items.begin() + index, Item{s, nullptr});
    Changed();
    return index;
}

void TStringList::Insert(int index, const QString &s)
{
    if (m_sorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    if (index < 0 || index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    m_items.insert(m_items.begin() + index, Item{s, nullptr});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (m_items.empty())
        return;
    m_items.clear();
    Changed();
}

int TStringList::IndexOf(const QString &s) const
{
    if (!m_sorted)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == m_sorted)
        return;
    if (sorted)
        Sort();
    m_sorted = sorted;
}

void TStringList::Sort()
{
    std::stable_sort(m_items.begin(), m_items.end(), [](const Item &a, const Item &b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    Changed();
}

} // namespace jxt
