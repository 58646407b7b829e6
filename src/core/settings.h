#pragma once

#include <QString>

#include <optional>

// Where the program keeps what it remembers between runs, and the typed reads
// and writes every window uses on the settings store in force
// (platform::services().settings).
namespace settings {

struct Location {
    QString application;
    QString section;
};

// Every write goes to the current location; the legacy one is where older
// releases kept their settings, read as a fallback until the next save.
extern const Location kCurrent; // "Corvale's Soft" / "Tollbrook2"
extern const Location kLegacy;  // "Tollbrook2" / "Tollbrook2"

// Text forms of the stored values: "True"/"False", decimal integers, and
// single-precision twips ("1035", "1035.5").
QString FromBoolean(bool value);
QString FromInteger(int value);
QString FromSingle(float value);

// Back from text; nothing when the text does not convert. Booleans accept
// "True"/"False" in any case and numbers (0 is False, any other is True);
// integers accept numbers and round them to the nearest 16-bit integer.
std::optional<bool> ToBoolean(const QString& text);
std::optional<short> ToInteger(const QString& text);
std::optional<float> ToSingle(const QString& text);

// Read one key, the default standing in for an absent key. A stored text
// that does not convert leaves target as it was; the result says whether
// target was set.
bool ReadBoolean(const Location& from, const QString& key, bool defaultValue, bool& target);
bool ReadInteger(const Location& from, const QString& key, short defaultValue, short& target);
bool ReadSingle(const Location& from, const QString& key, float defaultValue, float& target);
QString ReadText(const Location& from, const QString& key, const QString& defaultValue);

// Write one key to the current location; false when the store refused it.
bool WriteBoolean(const QString& key, bool value);
bool WriteInteger(const QString& key, int value);
bool WriteSingle(const QString& key, float value);
bool WriteText(const QString& key, const QString& value);

// Where a window reads its geometry (and the folder windows their folders):
// the legacy location when it holds the window's own left key ("Main_Left",
// "InFile_Left", ...), the current location otherwise.
const Location& GeometryLocation(const QString& leftKey);

// The "/U" removal: deletes the section of the current location (the legacy
// location is left alone) and writes the change out. False when there was
// nothing to delete or the deletion did not reach the disk.
bool RemoveStoredSettings();

// Tells the user, one message box each, of the copies of damaged settings
// files the store kept aside since it was last asked.
void TellKeptCopies();

// Tells the user, one message box each, of the settings files the store
// could not write since it was last asked, and why; each file once.
void TellStoreFailures();

} // namespace settings
