#include "ui/desk/runPanel.h"

#include "ui/presentation/childLayout.h"
#include "ui/presentation/fonts.h"
#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>

#include <algorithm>

namespace {

using messages::ProgramMessage;

// Margins and gaps of the panel, in twips.
constexpr int kGapTwips = 60;
// The width the buttons are designed with, in twips; a larger font widens
// them to fit their caption.
constexpr int kButtonTwips = 1215;

int ButtonWidth(const QPushButton& button, int dotsPerInch)
{
    return std::max(button.sizeHint().width(), childLayout::ToPixels(kButtonTwips, dotsPerInch));
}

} // namespace

RunPanel::RunPanel(QWidget* parent)
    : QWidget(parent), Presentable(static_cast<QWidget&>(*this)),
      cancel_(new QPushButton(messages::Text(messages::SharedMessage::CancelCaption), this)),
      progressText_(new QLabel(this)), progressBar_(new QProgressBar(this))
{
    setObjectName(QStringLiteral("pnlTollbrook"));
    const ProgramMessage captions[] = {ProgramMessage::DosCaption, ProgramMessage::Win16Caption,
                                       ProgramMessage::Win32Caption};
    const ProgramMessage tips[] = {ProgramMessage::DosTip, ProgramMessage::Win16Tip,
                                   ProgramMessage::Win32Tip};
    for (const tbarc::SfxKind kind : {tbarc::SfxKind::Dos, tbarc::SfxKind::Win16, tbarc::SfxKind::Win32}) {
        const auto index = static_cast<size_t>(kind);
        execute_[index] = new QPushButton(messages::Text(captions[index]), this);
        execute_[index]->setObjectName(QStringLiteral("btnExe%1").arg(index));
        Tip(execute_[index], messages::Text(tips[index]));
        connect(execute_[index], &QPushButton::clicked, this, [this, kind] { emit ExecuteClicked(kind); });
    }
    cancel_->setObjectName(QStringLiteral("btnCancel"));
    Tip(cancel_, messages::Text(messages::SharedMessage::CancelTip));
    connect(cancel_, &QPushButton::clicked, this, &RunPanel::CancelClicked);
    AddKeys();
    progressBar_->setTextVisible(false);
    HideProgress();
}

void RunPanel::AddKeys()
{
    // Keys beside the captions, which stay as they are (no mnemonics).
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3};
    for (size_t kind = 0; kind < execute_.size(); ++kind) {
        auto* key = new QShortcut(QKeySequence(Qt::CTRL | digits[kind]), this);
        QPushButton* button = execute_[kind];
        connect(key, &QShortcut::activated, button, [button] {
            if (button->isEnabled())
                button->click();
        });
    }
    // Only during a run: elsewhere Escape belongs to whatever has the keyboard.
    cancelKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancelKey_->setEnabled(false);
    connect(cancelKey_, &QShortcut::activated, cancel_, &QPushButton::click);
}

QList<QPushButton*> RunPanel::ButtonsOn() const
{
    QList<QPushButton*> on;
    for (QPushButton* button : {execute_[0], execute_[1], execute_[2], cancel_}) {
        if (button->isEnabled())
            on.append(button);
    }
    return on;
}

bool RunPanel::TakeKeyboard()
{
    const QList<QPushButton*> on = ButtonsOn();
    if (on.isEmpty())
        return false;
    on.first()->setFocus(Qt::TabFocusReason);
    return true;
}

bool RunPanel::focusNextPrevChild(bool next)
{
    const QList<QPushButton*> on = ButtonsOn();
    if (on.isEmpty())
        return QWidget::focusNextPrevChild(next);
    const auto at = on.indexOf(qobject_cast<QPushButton*>(focusWidget()));
    const auto count = on.size();
    const auto target = at < 0 ? 0 : (at + (next ? 1 : count - 1)) % count;
    on.at(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void RunPanel::ApplyFont()
{
    presentation::ApplyFont({execute_[0], execute_[1], execute_[2], cancel_, progressText_});
    Relayout();
}

void RunPanel::SetExecuteEnabled(bool enabled)
{
    for (QPushButton* button : execute_)
        button->setEnabled(enabled);
}

void RunPanel::SetCancelEnabled(bool enabled)
{
    cancel_->setEnabled(enabled);
    cancelKey_->setEnabled(enabled);
}

void RunPanel::PlaceCancelButton(int dotsPerInch)
{
    const std::optional<int> left = childLayout::CancelButtonLeft(
        childLayout::ToTwips(width(), dotsPerInch), childLayout::ToTwips(cancel_->width(), dotsPerInch));
    if (left)
        cancel_->move(childLayout::ToPixels(*left, dotsPerInch), cancel_->y());
}

void RunPanel::ShowProgress(int done, int total)
{
    const QString text = QStringLiteral("%1 / %2").arg(done).arg(total);
    progressText_->setText(text);
    // A screen reader names the bar by what the label next to it says.
    progressBar_->setAccessibleName(text);
    // A progress bar paints itself at once on every new value; with updates
    // held it paints with the rest of the window instead, at most once a
    // frame while a run is on.
    progressBar_->setUpdatesEnabled(false);
    progressBar_->setRange(0, std::max(total, 1));
    progressBar_->setValue(done);
    progressBar_->setUpdatesEnabled(true);
    progressText_->show();
    progressBar_->show();
}

void RunPanel::HideProgress()
{
    progressText_->hide();
    progressBar_->hide();
}

void RunPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void RunPanel::Relayout()
{
    const int dpi = logicalDpiX();
    const int gap = childLayout::ToPixels(kGapTwips, dpi);
    const int buttonHeight = execute_[0]->sizeHint().height();
    int left = gap;
    for (QPushButton* button : execute_) {
        button->setGeometry(left, gap, ButtonWidth(*button, dpi), buttonHeight);
        left += button->width() + gap;
    }
    cancel_->resize(ButtonWidth(*cancel_, dpi), buttonHeight);
    cancel_->move(cancel_->x(), gap);
    PlaceCancelButton(dpi);
    PlaceProgress();
    setFixedHeight(buttonHeight + 2 * gap);
}

void RunPanel::PlaceProgress()
{
    const int gap = childLayout::ToPixels(kGapTwips, logicalDpiX());
    const int left = execute_[2]->geometry().right() + 1 + 2 * gap;
    const int right = cancel_->x() - 2 * gap;
    const int textWidth = progressText_->fontMetrics().horizontalAdvance(QStringLiteral("0000 / 0000"));
    const int height = execute_[0]->height();
    progressText_->setGeometry(left, gap, textWidth, height);
    progressBar_->setGeometry(left + textWidth + gap, gap, std::max(right - left - textWidth - gap, 0),
                              height);
}
