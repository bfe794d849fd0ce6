// SPDX-License-Identifier: MIT
// TStrings and TStringList: lists of strings, each with an optional object pointer.
#pragma once

#include "base/Export.h"

#include "host/core/Object.h"
#include "host/core/SysUtils.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace jxt {

enum TDuplicates { dupIgnore, dupAccept, dupError };

/// An abstract list of strings with attached objects. Indexes count from 0.
class JXT_EXPORT TStrings : public TPersistent
{
public:
    virtual int Count() const = 0;
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString &s) = 0;
    virtual TObject *GetObject(int index) const = 0;
    virtual void PutObject(int index, TObject *object) = 0;
    /// Adds s (at the end, or at its place in a sorted list); returns its index or -1 when
    /// a sorted list ignores a duplicate.
    virtual int Add(const QString &s) = 0;
    virtual void Insert(int index, const QString &s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    QString operator[](int index) const { return Get(index); }
    QString Strings(int index) const { return Get(index); }
    int AddObject(const QString &s, TObject *object);
    void Append(const QString &s) { Add(s); }
    void AddStrings(const TStrings *other);
    void Exchange(int a, int b);
    void Move(int from, int to);
    /// Index of the first string equal to s ignoring case, or -1.
    virtual int IndexOf(const QString &s) const;
    int IndexOfObject(const TObject *object) const;
    /// Text of all lines, each followed by CR LF.
    QString Text() const;
    /// Replaces the list by the lines of text (CR LF, LF or CR end a line).
    void SetText(const QString &text);
    /// "name=value" access.
    QString Names(int index) const;
    QString Values(const QString &name) const;
    void SetValue(const QString &name, const QString &value);
    int IndexOfName(const QString &name) const;
    QString CommaText() const;
    QStringList ToStringList() const;
    void SetStrings(const QStringList &list);
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();
    bool Updating() const { return m_updateCount > 0; }

    void Assign(const TPersistent *source) override;

    /// Called after every change while no update is open.
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    int m_updateCount = 0;
};

/// The usual list: strings and objects in a vector, optionally kept sorted (ignoring case)
/// with duplicates handled as Duplicates says.
class JXT_EXPORT TStringList : public TStrings
{
public:
    TStringList() = default;
    TStringList(const TStringList &other) : TStrings() { Assign(&other); }
    TStringList &operator=(const TStringList &other)
    {
        Assign(&other);
        return *this;
    }
    explicit TStringList(const QStringList &lines) { SetStrings(lines); }

    int Count() const override { return static_cast<int>(m_items.size()); }
    QString Get(int index) const override;
    void Put(int index, const QString &s) override;
    TObject *GetObject(int index) const override;
    void PutObject(int index, TObject *object) override;
    int Add(const QString &s) override;
    void Insert(int index, const QString &s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const QString &s) const override;

    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates d) { m_duplicates = d; }
    void Sort();
    /// Binary search in a sorted list: true and the index when found, else false and the
    /// index where s belongs.
    bool Find(const QString &s, int &index) const;

private:
    struct Item
    {
        QString text;
        TObject *object = nullptr;
    };
    void CheckIndex(int index) const;
    std::vector<Item> m_items;
    bool m_sorted = false;
    TDuplicates m_duplicates = dupIgnore;
};

} // namespace jxt
