#pragma once

#include "run/runLists.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace run {

// Each argument is one name (the shell has split them). A relative name is
// made absolute against currentFolder by putting the folder in front; it is
// not cleaned, so every component is looked up as it is written.
QStringList AbsoluteNames(const QStringList& names, const QString& currentFolder);

// True when the names ask for the removal of the stored settings: "/U" (in
// any case) and nothing else.
bool IsRemovalSwitch(const QStringList& names);

// A name that did not reach the work list, and why.
struct PassedOverName {
    QString name;
    Admission why;
};

// What became of the command-line names.
struct CommandLineIntake {
    // True when the list ran full: it is empty again and the names after
    // the one that found it full were not looked at.
    bool listFull = false;
    // Every name that is not in the list, in the order given; with listFull
    // the last one is the name that found the list full.
    QList<PassedOverName> passedOver;
};

// Empties the work list and offers it each name in turn. A full list
// discards every name taken so far.
CommandLineIntake TakeCommandLineNames(const QStringList& names, IWorkList& work);

// Why a name is not in the work list, as a terminal line says it.
QString AdmissionReason(Admission why);

} // namespace run
