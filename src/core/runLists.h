#pragma once

#include <QString>

// The three lists a run works with, as the engine and the run loops see
// them. The list windows sit on models that implement these, so a run
// works, and is tested, without any window.
namespace core {

// The execution history.
class IHistory {
public:
    virtual ~IHistory() = default;

    // Appends one line.
    virtual void Add(const QString& line) = 0;
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

// The work list. Its selection marks the entries a run still has
// to do.
class IWorkList {
public:
    virtual ~IWorkList() = default;

    virtual int Count() const = 0;
    virtual QString Entry(int index) const = 0;

    // Adds a name from outside (command line, drop): false only when the
    // list is full.
    virtual bool AddFromOutside(const QString& path) = 0;
    // Empties the list.
    virtual void Clear() = 0;

    virtual void SelectAll() = 0;
    virtual void ClearSelection() = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void Deselect(int index) = 0;
    // Removes every entry that is not selected, keeping the order of the rest.
    virtual void RemoveUnselected() = 0;
    // Brings entry index to the top of the view, if there is one.
    virtual void ScrollToTop(int index) = 0;
};

} // namespace core
