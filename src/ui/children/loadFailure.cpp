#include "ui/children/loadFailure.h"

#include "util/applicationTitle.h"

#include <QWidget>

QString LoadFailureText(const QWidget& window, const QString& step)
{
    return ApplicationTitle() + u' ' + window.objectName() + u' ' + step + QStringLiteral(" ERR");
}
