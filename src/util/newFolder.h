#pragma once

#include "util/paths.h"

#include <QString>

// Making a new folder inside another: the rules a typed name must pass before
// anything touches the disk, and the creation itself. The questions and
// messages around them belong to the command that asks for the name.
namespace newFolder {

// The first rule a name breaks, in the order they are checked.
enum class NameCheck {
    Accepted,
    Separator,    // a separator anywhere but as the very last character
    Asterisk,     // '*' anywhere
    QuestionMark, // '?' anywhere
    DotAtEnds,    // '.' as the first or the last character
    Abnormal,     // a control character, which no typed name holds
};

NameCheck CheckName(const QString& name, paths::PathStyle style = paths::HostStyle);

// The message that tells why a name was refused; empty for an accepted one.
// The separator rule names the separator of the style.
QString RefusalText(NameCheck check, paths::PathStyle style = paths::HostStyle);

// The name as the rules see it: spaces around it removed, nothing else.
QString TrimSpaces(const QString& name);

enum class Creation {
    Created,
    NotCreated,   // the file system refused: it exists, the parent is missing, no permission...
    NotEnterable, // made, but it cannot be opened as a folder; it stays on disk
};

struct Outcome {
    Creation creation;
    QString path; // the full path of the folder, whatever the outcome
};

// Makes the folder `name` (an accepted name; one separator at its end is
// dropped) one level below `parent`, which must exist, and checks that it
// can be entered.
Outcome Create(const QString& parent, const QString& name);

} // namespace newFolder
