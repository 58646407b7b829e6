#include "run/commandLine.h"

#include <QCoreApplication>

namespace run {

QStringList AbsoluteNames(const QStringList& names, const QString& currentFolder)
{
    QStringList absolute;
    absolute.reserve(names.size());
    const QString folder = currentFolder.endsWith(u'/') ? currentFolder : currentFolder + u'/';
    for (const QString& name : names)
        absolute << (name.isEmpty() || name.startsWith(u'/') ? name : folder + name);
    return absolute;
}

bool IsRemovalSwitch(const QStringList& names)
{
    return names.size() == 1 && names[0].toUpper() == u"/U";
}

CommandLineIntake TakeCommandLineNames(const QStringList& names, IWorkList& work)
{
    CommandLineIntake intake;
    work.Clear();
    for (const QString& name : names) {
        const Admission admission = work.Admit(name);
        if (admission == Admission::Taken)
            continue;
        intake.passedOver.append({name, admission});
        if (admission == Admission::ListFull) {
            intake.listFull = true;
            work.Clear();
            break;
        }
    }
    return intake;
}

QString AdmissionReason(Admission why)
{
    switch (why) {
    case Admission::Taken: break;
    case Admission::Missing: return QCoreApplication::translate("terminal", "no such file");
    case Admission::NotAFile: return QCoreApplication::translate("terminal", "not a file");
    case Admission::TypeNotEnabled:
        return QCoreApplication::translate(
            "terminal", "not an archive type the options convert (.LZH, .CAB and those enabled)");
    case Admission::Unreadable: return QCoreApplication::translate("terminal", "the file cannot be read");
    case Admission::ListFull:
        return QCoreApplication::translate("terminal", "over the limit of %1 archives in one run")
            .arg(kWorkListLimit);
    }
    return {};
}

} // namespace run
