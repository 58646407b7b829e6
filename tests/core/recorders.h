#pragma once

#include "core/options.h"
#include "core/runLists.h"

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Lists that only remember what reached them.
struct RecordingHistory : core::IHistory {
    QStringList lines;
    int copies = 0;
    void ListInAdd(const QString& line) override { lines << line; }
    void RefreshForm() override { lines.clear(); }
    void LogCopy() override { ++copies; }
};

struct RecordingOutput : core::IOutputList {
    QStringList paths;
    void ListInAdd(const QString& path) override { paths << path; }
};

// Puts every option a run reads back to its default.
inline void ResetOptions()
{
    using namespace basTollbrook;
    Lzh = true;
    Cab = true;
    Lzh_X = false;
    Lzh_Lha = false;
    Lzh_Exe = false;
    Cab_Exe = false;
    Lzh_OptDos = QStringLiteral("s -+ -jyo -x1  -y1 -gm1");
    Lzh_OptWin16 = QStringLiteral("s -+ -jw2 -jyo -x1  -y1 -gm1");
    Lzh_OptWin32 = QStringLiteral("s -+ -gw2 -jyo -x1  -y1 -gm1");
    Cab_Opt = QStringLiteral("-f");
    UCase = true;
    Nozoku = false;
    Auto = false;
    AutoExe = 2;
    AutoLog = true;
}

// Default options for the length of one test.
struct DefaultOptions {
    DefaultOptions() { ResetOptions(); }
    ~DefaultOptions() { ResetOptions(); }
};

// A work list without a model: entries with their selected marks. Names in
// `refused` are turned away as a full list would.
struct PlainWorkList : core::IWorkList {
    QStringList entries;
    QList<bool> selected;
    QStringList offered;   // every name Gaibu_ListInAdd saw
    QStringList refused;
    int refreshes = 0;

    explicit PlainWorkList(QStringList initial = {}) : entries(std::move(initial)), selected(entries.size(), false) {}

    int Count() const override { return int(entries.size()); }
    QString Entry(int index) const override { return entries.value(index); }
    bool Gaibu_ListInAdd(const QString& path) override
    {
        offered << path;
        if (refused.contains(path))
            return false;
        entries << path;
        selected << false;
        return true;
    }
    void RefreshForm() override
    {
        ++refreshes;
        entries.clear();
        selected.clear();
    }
    void SelectAll() override { selected.fill(true); }
    void SelectClear() override { selected.fill(false); }
    bool IsSelected(int index) const override { return selected.value(index); }
    void Deselect(int index) override { selected[index] = false; }
    void RemoveUnselected() override
    {
        for (qsizetype i = entries.size() - 1; i >= 0; --i) {
            if (!selected[i]) {
                entries.removeAt(i);
                selected.removeAt(i);
            }
        }
    }
    void ScrollToTop(int) override {}
};
