#include "platform/damagedCopy.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

// Numbered copies beyond this many are not made (nor the write after them).
constexpr int kMostDamagedCopies = 100;

QString CopyName(const QString& path, int number)
{
    return path + QStringLiteral(".damaged") + (number == 0 ? QString() : QStringLiteral(".%1").arg(number));
}

bool HoldsBytes(const QString& copyPath, const QByteArray& bytes)
{
    QFile copy(copyPath);
    return QFileInfo(copyPath).isFile() && copy.size() == bytes.size() && copy.open(QIODevice::ReadOnly)
        && copy.readAll() == bytes;
}

} // namespace

std::optional<QString> KeepDamagedCopy(const QString& path)
{
    QFile original(path);
    if (!original.exists())
        return QString();
    if (!original.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = original.readAll();
    for (int number = 0; number < kMostDamagedCopies; ++number) {
        if (HoldsBytes(CopyName(path, number), bytes))
            return CopyName(path, number);
    }
    for (int number = 0; number < kMostDamagedCopies; ++number) {
        const QString copyPath = CopyName(path, number);
        QFile copy(copyPath);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (copy.exists())
                continue;
            return std::nullopt;
        }
        if (!copy.setPermissions(original.permissions()) || copy.write(bytes) != bytes.size()
            || !copy.flush()) {
            copy.remove();
            return std::nullopt;
        }
        return copyPath;
    }
    return std::nullopt;
}

} // namespace platform
