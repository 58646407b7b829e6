#include "platform/qtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

void QtClipboard::Clear()
{
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString QtClipboard::Text()
{
    return QGuiApplication::clipboard()->text();
}

} // namespace platform
