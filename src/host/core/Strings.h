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

/// What a sorted list does with a string it already holds: leave it out (dupIgnore), add it
/// (dupAccept) or throw EListError (dupError).
enum TDuplicates { dupIgnore, dupAccept, dupError };

/// An abstract list of strings with attached objects. Indexes count from 0.
class JXT_EXPORT TStrings : public TPersistent
{
public:
    /// The number of strings.
    virtual int Count() const = 0;
    /// The string at index (Put replaces it); an index outside the list throws EListError.
    //!@{
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString &s) = 0;
    //!@}
    /// The object attached to the string at index (PutObject attaches one; the list never
    /// owns it); an index outside the list throws EListError.
    //!@{
    virtual TObject *GetObject(int index) const = 0;
    virtual void PutObject(int index, TObject *object) = 0;
    //!@}
    /// Adds s (at the end, or at its place in a sorted list); returns its index or -1 when
    /// a sorted list ignores a duplicate.
    virtual int Add(const QString &s) = 0;
    /// Inserts s before index (Count appends); EListError for an index outside 0..Count, and
    /// in a sorted list.
    virtual void Insert(int index, const QString &s) = 0;
    /// Removes the string at index; EListError for an index outside the list.
    virtual void Delete(int index) = 0;
    /// Removes every string.
    virtual void Clear() = 0;

    /// The same as Get.
    //!@{
    QString operator[](int index) const { return Get(index); }
    QString Strings(int index) const { return Get(index); }
    //!@}
    /// Adds s as Add does and attaches object to it; returns its index, or -1.
    int AddObject(const QString &s, TObject *object);
    /// Adds s, without the index.
    void Append(const QString &s) { Add(s); }
    /// Adds every string of other with its object (one OnChange for all).
    void AddStrings(const TStrings *other);
    /// Swaps the strings (and objects) at a and b.
    void Exchange(int a, int b);
    /// Moves the string (and object) at from to the index to.
    void Move(int from, int to);
    /// Index of the first string equal to s ignoring case, or -1.
    virtual int IndexOf(const QString &s) const;
    /// Index of the first string with that object attached, or -1.
    int IndexOfObject(const TObject *object) const;
    /// Text of all lines, each followed by CR LF.
    QString Text() const;
    /// Replaces the list by the lines of text (CR LF, LF or CR end a line).
    void SetText(const QString &text);
    /// "name=value" access: the name of the line at index, the value of the first line named
    /// name (empty when none), setting it (an empty value deletes the line; a new name adds a
    /// line), and the index of the line named name (or -1).
    //!@{
    QString Names(int index) const;
    QString Values(const QString &name) const;
    void SetValue(const QString &name, const QString &value);
    int IndexOfName(const QString &name) const;
    //!@}
    /// The strings separated by commas; a string that is empty or holds a comma, blank or
    /// quote is quoted, its quotes doubled.
    QString CommaText() const;
    /// The strings as a QStringList (SetStrings replaces the list by one).
    //!@{
    QStringList ToStringList() const;
    void SetStrings(const QStringList &list);
    //!@}
    /// Holds back OnChange until as many EndUpdate calls as BeginUpdate calls were made; the
    /// last EndUpdate fires it once. Updating tells whether an update is open.
    //!@{
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();
    bool Updating() const { return m_updateCount > 0; }
    //!@}

    void Assign(const TPersistent *source) override;

    /// Called after every change while no update is open.
    TNotifyEvent OnChange;

protected:
    /// Fires OnChange unless an update is open.
    void Changed();

private:
    int m_updateCount = 0;
};

/// The usual list: strings and objects in a vector, optionally kept sorted (ignoring case)
/// with duplicates handled as Duplicates says.
class JXT_EXPORT TStringList : public TStrings
{
public:
    /// An empty list.
    TStringList() = default;
    /// Copies the strings and objects of other (not its handlers).
    //!@{
    TStringList(const TStringList &other) : TStrings() { Assign(&other); }
    TStringList &operator=(const TStringList &other)
    {
        Assign(&other);
        return *this;
    }
    //!@}
    /// A list of those lines.
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

    /// Keep the strings sorted, ignoring case; default false. Turning it on sorts the list.
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    /// What Add does with a string a sorted list holds already; default dupIgnore.
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates d) { m_duplicates = d; }
    /// Sorts the strings ignoring case (equal ones keep their order).
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
