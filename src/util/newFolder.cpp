#include "util/newFolder.h"

#include "util/pathStyle.h"
#include "util/sharedMessages.h"

#include <QDir>
#include <QFileInfo>

namespace newFolder {

NameCheck CheckName(const QString& name, paths::PathStyle style)
{
    const qsizetype separator = name.indexOf(paths::Separator(style));
    if (separator >= 0 && separator != name.size() - 1)
        return NameCheck::Separator;
    if (name.contains(u'*'))
        return NameCheck::Asterisk;
    if (name.contains(u'?'))
        return NameCheck::QuestionMark;
    if (name.startsWith(u'.') || name.endsWith(u'.'))
        return NameCheck::DotAtEnds;
    // A NUL would cut the name short on its way to the file system, and the
    // folder made would not be the one named.
    for (const QChar c : name) {
        if (c.unicode() < 0x20)
            return NameCheck::Abnormal;
    }
    return NameCheck::Accepted;
}

QString RefusalText(NameCheck check, paths::PathStyle style)
{
    using messages::SharedMessage;
    switch (check) {
    case NameCheck::Accepted: return {};
    case NameCheck::Separator:
        // The catalogue names the Windows separator; a POSIX name may hold
        // '\' and refuses '/' instead.
        return messages::Text(SharedMessage::FolderNameBackslash)
            .replace(QStringLiteral("[\\]"), QLatin1Char('[') + paths::Separator(style) + QLatin1Char(']'));
    case NameCheck::Asterisk: return messages::Text(SharedMessage::FolderNameAsterisk);
    case NameCheck::QuestionMark: return messages::Text(SharedMessage::FolderNameQuestionMark);
    case NameCheck::DotAtEnds: return messages::Text(SharedMessage::FolderNameDotAtEnds);
    case NameCheck::Abnormal: return messages::Text(SharedMessage::FolderNameInvalid);
    }
    return {};
}

QString TrimSpaces(const QString& name)
{
    qsizetype first = 0;
    qsizetype end = name.size();
    while (first < end && name[first] == u' ')
        ++first;
    while (end > first && name[end - 1] == u' ')
        --end;
    return name.mid(first, end - first);
}

Outcome Create(const QString& parent, const QString& name)
{
    const QChar separator = paths::Separator(paths::HostStyle);
    QString leaf = name;
    if (leaf.endsWith(separator))
        leaf.chop(1);
    const QString path = parent.endsWith(separator) ? parent + leaf : parent + separator + leaf;
    // QDir::mkdir makes one level and refuses a folder that exists already.
    if (leaf.isEmpty() || !QDir().mkdir(path))
        return {Creation::NotCreated, path};
    const QFileInfo made(path);
    if (!made.isDir() || !made.isExecutable())
        return {Creation::NotEnterable, path};
    return {Creation::Created, path};
}

} // namespace newFolder
