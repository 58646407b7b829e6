#include "ui/dialogs/dialogPlace.h"

#include "core/settings.h"
#include "ui/presentation/childLayout.h"

#include <QDialog>
#include <QScreen>

DialogPlace::DialogPlace(QDialog& dialog, QString keyPrefix, Size size)
    : dialog_(dialog), keyPrefix_(std::move(keyPrefix)), size_(size)
{}

QString DialogPlace::Key(const char* suffix) const
{
    return keyPrefix_ + QLatin1Char('_') + QLatin1String(suffix);
}

bool DialogPlace::Restore()
{
    const settings::Location& from = settings::GeometryLocation(Key("Left"));
    // The -1 stands for "nothing stored": a stored place is never negative
    // once it is on the screen.
    float left = -1;
    float top = -1;
    if (!settings::ReadSingle(from, Key("Left"), -1, left)
        || !settings::ReadSingle(from, Key("Top"), -1, top))
        return false;
    const int dpi = dialog_.logicalDpiX();
    if (size_ == Size::Stored) {
        float width = -1;
        float height = -1;
        if (!settings::ReadSingle(from, Key("Width"), -1, width)
            || !settings::ReadSingle(from, Key("Height"), -1, height))
            return false;
        if (width > 0 && height > 0)
            dialog_.resize(childLayout::ToPixels(width, dpi), childLayout::ToPixels(height, dpi));
    }
    const QScreen* screen = dialog_.parentWidget() ? dialog_.parentWidget()->screen() : dialog_.screen();
    const QSize screenSize = screen->geometry().size();
    const bool onScreen = left >= 0 && top >= 0 && left <= childLayout::ToTwips(screenSize.width(), dpi)
        && top <= childLayout::ToTwips(screenSize.height(), dpi);
    // Left alone, the dialog opens centred on its parent at its first show.
    if (onScreen)
        dialog_.move(childLayout::ToPixels(left, dpi), childLayout::ToPixels(top, dpi));
    return true;
}

void DialogPlace::Store() const
{
    // A dialog never shown and never placed has no place of its own: storing
    // one would take away its centring at the next start.
    if (!dialog_.testAttribute(Qt::WA_Moved) && !dialog_.testAttribute(Qt::WA_WState_ExplicitShowHide))
        return;
    const int dpi = dialog_.logicalDpiX();
    settings::WriteSingle(Key("Left"), childLayout::ToTwips(dialog_.x(), dpi));
    settings::WriteSingle(Key("Top"), childLayout::ToTwips(dialog_.y(), dpi));
    if (size_ == Size::Stored) {
        settings::WriteSingle(Key("Width"), childLayout::ToTwips(dialog_.width(), dpi));
        settings::WriteSingle(Key("Height"), childLayout::ToTwips(dialog_.height(), dpi));
    }
}
