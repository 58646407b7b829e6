#include "ui/children/childWindow.h"

#include "core/options.h"
#include "core/settings.h"
#include "platform/services.h"
#include "platform/settingsStore.h"
#include "ui/children/loadFailure.h"
#include "ui/presentation/fonts.h"
#include "ui/presentation/childLayout.h"

#include <QAbstractScrollArea>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

bool ReadPlaceKey(const settings::Location& from, const QString& key, std::optional<float>& target)
{
    target.reset();
    if (!platform::services().settings->Contains(from.application, from.section, key))
        return true;
    float value = 0;
    if (!settings::ReadSingle(from, key, 0, value))
        return false;
    target = value;
    return true;
}

} // namespace

ChildWindow::ChildWindow(const QString& internalName, const QString& placePrefix, QWidget* parent)
    : QWidget(parent), Presentable(static_cast<QWidget&>(*this)), placePrefix_(placePrefix),
      popup_(new QMenu(this))
{
    setObjectName(internalName);
    popup_->setObjectName(QStringLiteral("mnuPopup"));
    popup_->setTitle(QStringLiteral("Menu"));
}

QMdiSubWindow* ChildWindow::SubWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QString ChildWindow::LoadFailure() const
{
    return LoadFailureText(*this, QStringLiteral("Form_Load"));
}

bool ChildWindow::ReadStoredPlace()
{
    const settings::Location& from = settings::GeometryLocation(placePrefix_ + QStringLiteral("_Left"));
    return ReadPlaceKey(from, placePrefix_ + QStringLiteral("_Left"), storedLeft_)
        && ReadPlaceKey(from, placePrefix_ + QStringLiteral("_Top"), storedTop_)
        && ReadPlaceKey(from, placePrefix_ + QStringLiteral("_Width"), storedWidth_)
        && ReadPlaceKey(from, placePrefix_ + QStringLiteral("_Height"), storedHeight_);
}

bool ChildWindow::HasStoredPlace() const
{
    return storedLeft_ || storedTop_ || storedWidth_ || storedHeight_;
}

void ChildWindow::MoveToStoredPlace(int dotsPerInch)
{
    QWidget* frame = SubWindow() ? static_cast<QWidget*>(SubWindow()) : this;
    QRect place = frame->geometry();
    auto pixels = [dotsPerInch](float twips) { return childLayout::ToPixels(twips, dotsPerInch); };
    if (storedLeft_)
        place.moveLeft(pixels(*storedLeft_));
    if (storedTop_)
        place.moveTop(pixels(*storedTop_));
    if (storedWidth_)
        place.setWidth(pixels(*storedWidth_));
    if (storedHeight_)
        place.setHeight(pixels(*storedHeight_));
    frame->setGeometry(place);
}

void ChildWindow::StoreSettings()
{
    const bool deskNormal = !(window()->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (!deskNormal || options::Current().resizeChildren)
        return;
    const QWidget* frame = SubWindow() ? static_cast<QWidget*>(SubWindow()) : this;
    const int dpi = logicalDpiX();
    const QRect place = frame->geometry();
    settings::WriteSingle(placePrefix_ + QStringLiteral("_Left"), childLayout::ToTwips(place.x(), dpi));
    settings::WriteSingle(placePrefix_ + QStringLiteral("_Top"), childLayout::ToTwips(place.y(), dpi));
    settings::WriteSingle(placePrefix_ + QStringLiteral("_Width"), childLayout::ToTwips(place.width(), dpi));
    settings::WriteSingle(placePrefix_ + QStringLiteral("_Height"),
                          childLayout::ToTwips(place.height(), dpi));
}

void ChildWindow::SetMenuEnabled(bool enabled)
{
    if (menuEnabled_ == enabled)
        return;
    menuEnabled_ = enabled;
    emit MenuEnabledChanged(enabled);
}

void ChildWindow::SetWindowEnabled(bool enabled)
{
    QWidget* frame = SubWindow() ? static_cast<QWidget*>(SubWindow()) : this;
    frame->setEnabled(enabled);
}

void ChildWindow::ApplyFont()
{
    Presentable::ApplyFont();
    // The title follows the desk's font as the contents do. Left with the
    // desktop's font, the frame drew its Japanese title in whichever face
    // the font cache offered for those glyphs, which at a larger desk font
    // came out smaller than at the default.
    if (QMdiSubWindow* frame = SubWindow())
        frame->setFont(presentation::OptionsFont());
    LayOutControls();
}

int ChildWindow::ToTwips(int pixels) const
{
    return qRound(childLayout::ToTwips(pixels, logicalDpiX()));
}

void ChildWindow::Put(QWidget* control, const childLayout::Place& place)
{
    const int dpi = logicalDpiX();
    const int height = place.height ? childLayout::ToPixels(*place.height, dpi) : control->height();
    control->setGeometry(childLayout::ToPixels(place.left, dpi), childLayout::ToPixels(place.top, dpi),
                         childLayout::ToPixels(place.width, dpi), height);
}

void ChildWindow::LayOutControls()
{
    const int dpi = logicalDpiX();
    LayOut(childLayout::ToTwips(width(), dpi), childLayout::ToTwips(height(), dpi));
}

void ChildWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutControls();
}

void ChildWindow::closeEvent(QCloseEvent* event)
{
    // The window lives as long as the desk: what is left of closing it (the
    // frame's menu, Ctrl+F4) puts it out of the way instead.
    event->ignore();
    if (QMdiSubWindow* frame = SubWindow())
        frame->showMinimized();
}

void ChildWindow::OpenPopupOn(QWidget* control)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(control);
    (area ? area->viewport() : control)->installEventFilter(this);
}

void ChildWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        popup_->popup(event->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

void ChildWindow::contextMenuEvent(QContextMenuEvent* event)
{
    // A right press has opened the popup already; the keyboard asks here.
    if (event->reason() != QContextMenuEvent::Mouse) {
        const QWidget* focus = focusWidget() ? focusWidget() : this;
        popup_->popup(focus->mapToGlobal(focus->rect().center()));
    }
    event->accept();
}

bool ChildWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            if (event->type() == QEvent::MouseButtonPress)
                popup_->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
