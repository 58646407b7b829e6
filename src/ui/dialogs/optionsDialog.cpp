#include "ui/dialogs/optionsDialog.h"

#include "util/programMessages.h"
#include "util/sharedMessages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using messages::ProgramMessage;
using messages::SharedMessage;

// A control whose place stays taken while it is hidden, so the dialog does
// not jump when a choice shows or hides its sub-options.
template <typename Widget>
Widget* Steady(Widget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    return widget;
}

QCheckBox* NewCheckBox(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    return box;
}

// A row of sub-options indented under the choice they belong to.
QWidget* NewIndentedRow(const QList<QWidget*>& members, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(24, 0, 0, 0);
    for (QWidget* member : members)
        layout->addWidget(member);
    layout->addStretch();
    return row;
}

} // namespace

OptionsDialog::OptionsDialog(QWidget* parent)
    : QDialog(parent), Presentable(static_cast<QWidget&>(*this)), place_(*this, QStringLiteral("Option"))
{
    // The internal name the load-failure text shows (docs/names.md).
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(messages::Text(ProgramMessage::OptionsCaption));
    BuildControls();
    DescribeControls();
    SetOptions(options::Defaults());
}

void OptionsDialog::BuildControls()
{
    lzh_ = NewCheckBox(QStringLiteral("ckbLZH"), messages::Text(ProgramMessage::LzhOption), this);
    lzhExe_ = NewCheckBox(QStringLiteral("ckbLZH_EXE"), QStringLiteral(".EXE"), this);
    lzhX_ = NewCheckBox(QStringLiteral("ckbLZH_X"), QStringLiteral(".X"), this);
    lzhLha_ = NewCheckBox(QStringLiteral("ckbLZH_LHA"), QStringLiteral(".LHA"), this);
    lzhKinds_ = Steady(NewIndentedRow({lzhExe_, lzhX_, lzhLha_}, this));
    cab_ = NewCheckBox(QStringLiteral("ckbCAB"), messages::Text(ProgramMessage::CabOption), this);
    cabExe_ = NewCheckBox(QStringLiteral("ckbCAB_EXE"), QStringLiteral(".EXE"), this);
    QWidget* cabKinds = NewIndentedRow({cabExe_}, this);
    upperCase_ =
        NewCheckBox(QStringLiteral("ckbUCase"), messages::Text(ProgramMessage::UpperCaseOption), this);
    leaveOut_ =
        NewCheckBox(QStringLiteral("ckbNozoku"), messages::Text(ProgramMessage::LeaveOutOption), this);
    autoRun_ = NewCheckBox(QStringLiteral("ckbAuto"), messages::Text(ProgramMessage::AutoRunOption), this);
    const ProgramMessage kindCaptions[] = {ProgramMessage::AutoRunDos, ProgramMessage::AutoRunWin16,
                                           ProgramMessage::AutoRunWin32};
    auto* kinds = new QButtonGroup(this);
    for (int kind = 0; kind < 3; ++kind) {
        autoKind_[kind] = new QRadioButton(messages::Text(kindCaptions[kind]), this);
        autoKind_[kind]->setObjectName(QStringLiteral("obtExe%1").arg(kind));
        kinds->addButton(autoKind_[kind], kind);
    }
    autoKinds_ = Steady(NewIndentedRow({autoKind_[0], autoKind_[1], autoKind_[2]}, this));
    autoCopy_ = NewCheckBox(QStringLiteral("ckbLog"), messages::Text(SharedMessage::CopyHistoryOption), this);
    autoCopyRow_ = Steady(NewIndentedRow({autoCopy_}, this));
    resize_ = NewCheckBox(QStringLiteral("ckbResize"), messages::Text(SharedMessage::ResizeOption), this);
    tooltips_ = NewCheckBox(QStringLiteral("ckbTip"), messages::Text(SharedMessage::TooltipOption), this);

    ok_ = new QPushButton(messages::Text(SharedMessage::OkButton), this);
    ok_->setObjectName(QStringLiteral("btnOk"));
    ok_->setDefault(true);
    defaults_ = new QPushButton(messages::Text(SharedMessage::DefaultsButton), this);
    defaults_->setObjectName(QStringLiteral("btnInit"));
    defaults_->setAutoDefault(false);
    cancel_ = new QPushButton(messages::Text(SharedMessage::CancelButton), this);
    cancel_->setObjectName(QStringLiteral("btnCancel"));
    cancel_->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* row : std::initializer_list<QWidget*>{lzh_, lzhKinds_, cab_, cabKinds, upperCase_,
                                                        leaveOut_, autoRun_, autoKinds_})
        layout->addWidget(row);
    layout->addWidget(autoCopyRow_);
    layout->addWidget(resize_);
    layout->addWidget(tooltips_);
    layout->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(defaults_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Any change the user makes enables OK.
    for (QAbstractButton* choice : std::initializer_list<QAbstractButton*>{
             lzh_, lzhExe_, lzhX_, lzhLha_, cab_, cabExe_, upperCase_, leaveOut_, autoRun_, autoKind_[0],
             autoKind_[1], autoKind_[2], autoCopy_, resize_, tooltips_})
        connect(choice, &QAbstractButton::toggled, ok_, [this] { ok_->setEnabled(true); });
    connect(lzh_, &QCheckBox::toggled, this, &OptionsDialog::FollowLzh);
    connect(autoRun_, &QCheckBox::toggled, this, &OptionsDialog::FollowAuto);
    connect(defaults_, &QPushButton::clicked, this, [this] {
        ok_->setEnabled(true);
        ShowDefaults();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void OptionsDialog::FollowLzh()
{
    // The whole row hides: only a hidden row keeps its place.
    lzhKinds_->setVisible(lzh_->isChecked());
}

void OptionsDialog::FollowAuto()
{
    autoKinds_->setVisible(autoRun_->isChecked());
    autoCopyRow_->setVisible(autoRun_->isChecked());
}

void OptionsDialog::SetLibrariesAvailable(bool lzh, bool cab)
{
    for (QCheckBox* box : {lzh_, lzhExe_, lzhX_, lzhLha_})
        box->setEnabled(lzh);
    cab_->setEnabled(cab);
}

void OptionsDialog::SetOptions(const options::Options& options)
{
    given_ = options;
    ShowValues(options);
    ok_->setEnabled(false);
}

void OptionsDialog::ShowDefaults()
{
    ShowValues(options::Defaults());
}

void OptionsDialog::ShowValues(const options::Options& options)
{
    lzh_->setChecked(options.convertLzh);
    cab_->setChecked(options.convertCab);
    lzhExe_->setChecked(options.convertLzhExe);
    lzhX_->setChecked(options.convertLzhX);
    lzhLha_->setChecked(options.convertLzhLha);
    cabExe_->setChecked(options.convertCabExe);
    upperCase_->setChecked(options.upperCaseNames);
    leaveOut_->setChecked(options.leaveOutForeignNames);
    autoRun_->setChecked(options.autoRun);
    // A stored kind out of range shows as DOS, and OK then stores DOS.
    const short kind = options.autoRunKind >= 0 && options.autoRunKind <= 2 ? options.autoRunKind : 0;
    autoKind_[kind]->setChecked(true);
    autoCopy_->setChecked(options.autoRunCopiesHistory);
    resize_->setChecked(options.resizeChildren);
    tooltips_->setChecked(options.showTooltips);
    FollowLzh();
    FollowAuto();
}

options::Options OptionsDialog::ChosenOptions() const
{
    options::Options chosen = given_;
    chosen.convertLzh = lzh_->isChecked();
    chosen.convertCab = cab_->isChecked();
    chosen.convertLzhExe = lzhExe_->isChecked();
    chosen.convertLzhX = lzhX_->isChecked();
    chosen.convertLzhLha = lzhLha_->isChecked();
    chosen.convertCabExe = cabExe_->isChecked();
    chosen.upperCaseNames = upperCase_->isChecked();
    chosen.leaveOutForeignNames = leaveOut_->isChecked();
    chosen.autoRun = autoRun_->isChecked();
    for (short kind = 0; kind < 3; ++kind) {
        if (autoKind_[kind]->isChecked()) {
            chosen.autoRunKind = kind;
            break;
        }
    }
    chosen.autoRunCopiesHistory = autoCopy_->isChecked();
    chosen.resizeChildren = resize_->isChecked();
    chosen.showTooltips = tooltips_->isChecked();
    return chosen;
}

void OptionsDialog::DescribeControls()
{
    Tip(lzh_, messages::Text(ProgramMessage::LzhOptionTip));
    Tip(lzhExe_, messages::Text(ProgramMessage::LzhExeOptionTip));
    Tip(lzhX_, messages::Text(ProgramMessage::LzhXOptionTip));
    Tip(lzhLha_, messages::Text(ProgramMessage::LzhLhaOptionTip));
    Tip(cab_, messages::Text(ProgramMessage::CabOptionTip));
    Tip(cabExe_, messages::Text(ProgramMessage::CabExeOptionTip));
    Tip(upperCase_, messages::Text(ProgramMessage::UpperCaseOptionTip));
    Tip(leaveOut_, messages::Text(ProgramMessage::LeaveOutOptionTip));
    Tip(autoRun_, messages::Text(ProgramMessage::AutoRunOptionTip));
    Tip(autoKind_[0], messages::Text(ProgramMessage::AutoRunDosTip));
    Tip(autoKind_[1], messages::Text(ProgramMessage::AutoRunWin16Tip));
    Tip(autoKind_[2], messages::Text(ProgramMessage::AutoRunWin32Tip));
    Tip(autoCopy_, messages::Text(SharedMessage::CopyHistoryOptionTip));
    Tip(resize_, messages::Text(SharedMessage::ResizeOptionTip));
    Tip(tooltips_, messages::Text(SharedMessage::TooltipOptionTip));
    Tip(ok_, messages::Text(SharedMessage::OkButtonTip));
    Tip(defaults_, messages::Text(SharedMessage::DefaultsButtonTip));
    Tip(cancel_, messages::Text(SharedMessage::CancelButtonTip));
}

bool OptionsDialog::TooltipsNeedApplying(bool before, bool after)
{
    return after || before != after;
}
