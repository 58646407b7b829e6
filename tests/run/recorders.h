#pragma once

#include "core/options.h"
#include "run/runLists.h"
#include "support/printQString.h"

#include <QMap>
#include <QString>
#include <QStringList>

// Lists that only remember what reached them.
struct RecordingHistory : run::IHistory {
    QStringList lines;
    int copies = 0;
    void Add(const QString& line) override { lines << line; }
    void Clear() override { lines.clear(); }
    void CopyToClipboard() override { ++copies; }
};

struct RecordingOutput : run::IOutputList {
    QStringList paths;
    void Add(const QString& path) override { paths << path; }
};

// Default options for the length of one test.
struct DefaultOptions {
    DefaultOptions() { options::Current() = options::Defaults(); }
    ~DefaultOptions() { options::Current() = options::Defaults(); }
};

// A work list without a model: entries with their selected marks. Names in
// `refused` are turned away as a full list would, names in `passedOver` for
// the reason given there.
struct PlainWorkList : run::IWorkList {
    QStringList entries;
    QList<bool> selected;
    QStringList offered; // every name Admit saw
    QStringList refused;
    QMap<QString, run::Admission> passedOver;
    int refreshes = 0;

    explicit PlainWorkList(QStringList initial = {})
        : entries(std::move(initial)), selected(entries.size(), false)
    {}

    int Count() const override { return int(entries.size()); }
    QString Entry(int index) const override { return entries.value(index); }
    run::Admission Admit(const QString& path) override
    {
        offered << path;
        if (refused.contains(path))
            return run::Admission::ListFull;
        if (passedOver.contains(path))
            return passedOver.value(path);
        entries << path;
        selected << false;
        return run::Admission::Taken;
    }
    void Clear() override
    {
        ++refreshes;
        entries.clear();
        selected.clear();
    }
    void SelectAll() override { selected.fill(true); }
    void ClearSelection() override { selected.fill(false); }
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
