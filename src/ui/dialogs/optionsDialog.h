#pragma once

#include "core/options.h"
#include "ui/dialogs/dialogPlace.h"
#include "ui/presentation/presentable.h"

#include <QDialog>

#include <array>

class QAbstractButton;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QWidget;

// The options dialog: the archive types taken, the naming and leaving-out
// choices, the automatic run, and how the desk behaves. It edits a copy: the
// caller hands the options in with SetOptions before exec(), and after an
// accepted exec() takes ChosenOptions() and applies them.
class OptionsDialog : public QDialog, public Presentable {
    Q_OBJECT

public:
    explicit OptionsDialog(QWidget* parent = nullptr);

    // Puts the dialog where it was last closed; false when the stored place
    // cannot be read (the dialog's load step fails).
    bool RestorePlace() { return place_.Restore(); }

    // Which archiver libraries start-up found. Without the LZH library the
    // four LZH boxes, without the CAB library the CAB box, are disabled; they
    // still show their values.
    void SetLibrariesAvailable(bool lzh, bool cab);

    // Shows these options in the controls. OK stays disabled until the user
    // changes something (or asks for the defaults).
    void SetOptions(const options::Options& options);

    // The options given to SetOptions with every value this dialog edits
    // taken from its controls, hidden ones included.
    options::Options ChosenOptions() const;

    // Puts the default values into the controls (not into any options).
    void ShowDefaults();

    void StoreSettings() override { place_.Store(); }

    // After OK, whether every window must apply the tooltip setting again:
    // always while tooltips are on, and when the setting was switched.
    static bool TooltipsNeedApplying(bool before, bool after);

private:
    void BuildControls();
    void DescribeControls();
    void ShowValues(const options::Options& options);
    void FollowLzh();
    void FollowAuto();

    DialogPlace place_;
    options::Options given_;
    QCheckBox* lzh_;
    QWidget* lzhKinds_;
    QCheckBox* lzhExe_;
    QCheckBox* lzhX_;
    QCheckBox* lzhLha_;
    QCheckBox* cab_;
    QCheckBox* cabExe_;
    QCheckBox* upperCase_;
    QCheckBox* leaveOut_;
    QCheckBox* autoRun_;
    QWidget* autoKinds_;
    std::array<QRadioButton*, 3> autoKind_;
    QCheckBox* autoCopy_;
    QWidget* autoCopyRow_;
    QCheckBox* resize_;
    QCheckBox* tooltips_;
    QPushButton* ok_;
    QPushButton* defaults_;
    QPushButton* cancel_;
};
