#pragma once

#include "archiver/archiver.h"
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

    // Fills the library rows from the top with the libraries found, in the
    // archive kinds' order, each under its About name; a row left over stays
    // blank. Versions are the libraries' own numbers, version times 100.
    void SetLibraries(const archiver::Libraries& libraries);

    // "1.33" for 133: the number divided by 100 with two decimals.
    static QString VersionText(int version);

    void StoreSettings() override { place_.Store(); }

private:
    DialogPlace place_;
    // A row for each archive kind's library.
    static constexpr int kLibraryRows = static_cast<int>(archiver::kArchiveKinds.size());
    std::array<QLabel*, kLibraryRows> libraryNames_;
    std::array<QLabel*, kLibraryRows> libraryVersions_;
};
