#include "core/commandLine.h"

#include <QDir>

#include <exception>

namespace core {

QString CommandLineText(const QStringList& arguments, const QString& currentFolder)
{
    QStringList names;
    names.reserve(arguments.size());
    const QDir current(currentFolder);
    for (const QString& argument : arguments) {
        QString name = argument;
        if (!argument.startsWith(u'/') && !argument.isEmpty())
            name = QDir::cleanPath(current.absoluteFilePath(argument));
        if (name.contains(u' '))
            name = u'"' + name + u'"';
        names << name;
    }
    return names.join(u' ');
}

bool IsRemovalSwitch(const QString& commandLineText)
{
    return commandLineText.toUpper() == u"/U";
}

bool AddCommandLineFile(const QString& name, IWorkList& work)
{
    try {
        return work.AddFromOutside(name);
    } catch (const std::exception&) {
        return false;
    }
}

bool ParseCommandLine(const QString& text, IWorkList& work)
{
    bool result = true;
    try {
        work.Clear();
        const qsizetype n = text.size();
        qsizetype p = 0;
        while (p < n) {
            if (text[p] == u'"') {
                const qsizetype close = text.indexOf(u'"', p + 1);
                if (close < 0) {
                    result = false;
                    break;
                }
                const QString name = text.mid(p + 1, close - p - 1);
                if (!name.isEmpty() && !AddCommandLineFile(name, work)) {
                    result = false;
                    break;
                }
                p = close + 1;
                continue;
            }
            const qsizetype space = text.indexOf(u' ', p);
            if (space >= 0) {
                const QString name = text.mid(p, space - p);
                if (!name.isEmpty() && !AddCommandLineFile(name, work)) {
                    result = false;
                    break;
                }
                p = space + 1;
                continue;
            }
            const QString rest = text.mid(p);
            if (!rest.isEmpty())
                result = AddCommandLineFile(rest, work);
            break;
        }
        if (!result)
            work.Clear();
    } catch (const std::exception&) {
        work.Clear();
        return false;
    }
    return result;
}

} // namespace core
