#pragma once

#include <QString>

class QDialog;

// Where a dialog of the desk opens, kept between runs in twips under its
// own keys ("Option_Left", "Option_Top"; a sizable dialog also "_Width" and
// "_Height"), read from the older release's settings when they hold the left
// key. A dialog with no stored place, or one that would open off the screen,
// opens centred on the main window.
class DialogPlace {
public:
    enum class Size { Designed, Stored };

    DialogPlace(QDialog& dialog, QString keyPrefix, Size size = Size::Designed);

    // Puts the dialog where it was. False when a stored value is not a
    // number, which the dialog's load step treats as its failure.
    bool Restore();

    // Stores the dialog's place, once it has one: restored, or shown.
    void Store() const;

private:
    QString Key(const char* suffix) const;

    QDialog& dialog_;
    QString keyPrefix_;
    Size size_;
};
