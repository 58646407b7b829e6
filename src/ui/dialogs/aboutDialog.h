#pragma once

#include "ui/dialogs/dialogPlace.h"
#include "ui/presentation/presentable.h"

#include <QDialog>

#include <array>

class QLabel;

// The about box: the program's name, title and version, where its manual,
// licence and source are, and the archiver libraries start-up found with
// their versions. It has no tooltips.
class AboutDialog : public QDialog, public Presentable {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Puts the box where it was last closed; a stored place that cannot be
    // read leaves it centred, and the box stays usable.
    void RestorePlace() { place_.Restore(); }

    // Fills the library rows from the top: the LZH library's when it was
    // found, then the CAB library's; a row left over stays blank. Versions
    // are the libraries' own numbers, version times 100.
    void SetLibraries(bool unlhaAvailable, int unlhaVersion, bool cabAvailable, int cabVersion);

    // "1.33" for 133: the number divided by 100 with two decimals.
    static QString VersionText(int version);

    void StoreSettings() override { place_.Store(); }

private:
    DialogPlace place_;
    std::array<QLabel*, 2> libraryNames_;
    std::array<QLabel*, 2> libraryVersions_;
};
