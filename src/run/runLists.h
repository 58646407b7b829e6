#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The three lists a run works with, as the engine and the run loops see
// them. The list windows sit on models that implement these, so a run
// works, and is tested, without any window.
namespace run {

// The execution history.
class IHistory {
public:
    virtual ~IHistory() = default;

    // Appends one line.
    virtual void Add(const QString& line) = 0;
    // Appends lines in their order; a list that can take many at once does.
    virtual void AddLines(const QStringList& lines)
    {
        for (const QString& line : lines)
            Add(line);
    }
    // Empties the history.
    virtual void Clear() = 0;
    // Puts the whole history on the clipboard.
    virtual void CopyToClipboard() = 0;
};

// The list of created files.
class IOutputList {
public:
    virtual ~IOutputList() = default;

    virtual void Add(const QString& path) = 0;
};

// The most entries the work list holds: one run converts at most this many.
inline constexpr int kWorkListLimit = 1000;

// What became of a name offered to the work list from outside.
enum class Admission {
    Taken,          // in the list now (or already was)
    Missing,        // no such file, or the name is not absolute
    NotAFile,       // a folder, device or the like
    TypeNotEnabled, // not an archive type the options convert
    Unreadable,     // a file that cannot be opened for reading
    ListFull,       // the list holds its maximum already
};

// The work list. Its selection marks the entries a run still has
// to do.
class IWorkList {
public:
    virtual ~IWorkList() = default;

    virtual int Count() const = 0;
    virtual QString Entry(int index) const = 0;

    // Offers a name from outside (command line, drop) and says what became
    // of it.
    virtual Admission Admit(const QString& path) = 0;
    // Adds a name from outside: false only when the list is full; any other
    // name not taken is passed over without a word.
    bool AddFromOutside(const QString& path) { return Admit(path) != Admission::ListFull; }
    // Empties the list.
    virtual void Clear() = 0;

    virtual void SelectAll() = 0;
    virtual void ClearSelection() = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void Deselect(int index) = 0;
    // Deselects the entries at these indices, in ascending order; a list that
    // can take them at once does.
    virtual void DeselectEach(const QList<int>& indices)
    {
        for (int index : indices)
            Deselect(index);
    }
    // Removes every entry that is not selected, keeping the order of the rest.
    virtual void RemoveUnselected() = 0;
    // Brings entry index to the top of the view, if there is one.
    virtual void ScrollToTop(int index) = 0;
};

} // namespace run
