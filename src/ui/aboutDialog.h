#pragma once

#include <QDialog>

#include <array>

class QLabel;

// The about box: the program's name, title and version, where its manual,
// licence and source are, and the archiver libraries start-up found with
// their versions.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Fills the library rows from the top: the LZH library's when it was
    // found, then the CAB library's; a row left over stays blank. Versions
    // are the libraries' own numbers, version times 100.
    void SetLibraries(bool unlhaAvailable, int unlhaVersion, bool cabAvailable, int cabVersion);

    // "1.33" for 133: the number divided by 100 with two decimals.
    static QString VersionText(int version);

private:
    std::array<QLabel*, 2> libraryNames_;
    std::array<QLabel*, 2> libraryVersions_;
};
