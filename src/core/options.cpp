#include "core/options.h"

#include "core/settings.h"
#include "platform/services.h"
#include "platform/settings_store.h"

namespace basTollbrook {

bool Lzh = false;
bool Cab = false;
bool Lzh_X = false;
bool Lzh_Lha = false;
bool Lzh_Exe = false;
bool Cab_Exe = false;
QString Lzh_OptDos;
QString Lzh_OptWin16;
QString Lzh_OptWin32;
QString Cab_Opt;
bool UCase = false;
bool Nozoku = false;
bool Auto = false;
short AutoExe = 0;
bool AutoLog = false;
bool Resize = false;
bool Tip = false;
QString Font_Name;
short Font_Size = 0;
bool Font_Bold = false;
bool Font_Italic = false;

namespace {

// Marks the settings format. An older release's settings carry a version of
// their own; "0.00" means there is none.
const QString kVersionKey = QStringLiteral("Version");
const QString kNoVersion = QStringLiteral("0.00");
const QString kVersion = QStringLiteral("1.02");

}  // namespace

void LoadOptions() {
    using namespace settings;
    const QString legacyVersion = ReadText(kLegacy, kVersionKey, kNoVersion);
    const Location& from = legacyVersion == kNoVersion ? kCurrent : kLegacy;

    ReadBoolean(from, QStringLiteral("Lzh"), true, Lzh);
    ReadBoolean(from, QStringLiteral("Cab"), true, Cab);
    ReadBoolean(from, QStringLiteral("Lzh_X"), false, Lzh_X);
    ReadBoolean(from, QStringLiteral("Lzh_Lha"), false, Lzh_Lha);
    ReadBoolean(from, QStringLiteral("Lzh_Exe"), false, Lzh_Exe);
    ReadBoolean(from, QStringLiteral("Cab_Exe"), false, Cab_Exe);
    Lzh_OptDos = ReadText(from, QStringLiteral("Lzh_OptDos"), QStringLiteral("s -+ -jyo -x1  -y1 -gm1"));
    Lzh_OptWin16 = ReadText(from, QStringLiteral("Lzh_OptWin16"), QStringLiteral("s -+ -jw2 -jyo -x1  -y1 -gm1"));
    Lzh_OptWin32 = ReadText(from, QStringLiteral("Lzh_OptWin32"), QStringLiteral("s -+ -gw2 -jyo -x1  -y1 -gm1"));
    Cab_Opt = ReadText(from, QStringLiteral("Cab_Opt"), QStringLiteral("-f"));
    ReadBoolean(from, QStringLiteral("UCase"), true, UCase);
    ReadBoolean(from, QStringLiteral("Nozoku"), false, Nozoku);
    ReadBoolean(from, QStringLiteral("Auto"), false, Auto);
    ReadInteger(from, QStringLiteral("AutoExe"), 2, AutoExe);
    ReadBoolean(from, QStringLiteral("AutoLog"), true, AutoLog);
    ReadBoolean(from, QStringLiteral("Resize"), true, Resize);
    ReadBoolean(from, QStringLiteral("Tip"), true, Tip);
    Font_Name = ReadText(from, QStringLiteral("Font_Name"), QStringLiteral("ＭＳ 明朝"));
    ReadInteger(from, QStringLiteral("Font_Size"), 10, Font_Size);
    ReadBoolean(from, QStringLiteral("Font_Bold"), false, Font_Bold);
    ReadBoolean(from, QStringLiteral("Font_Italic"), false, Font_Italic);
}

void SaveOptions() {
    using namespace settings;
    // Every write is tried even after one fails; the older release's settings
    // go only when all of them, and the windows' own keys, are on disk.
    bool written = WriteText(kVersionKey, kVersion);
    written = WriteBoolean(QStringLiteral("Lzh"), Lzh) && written;
    written = WriteBoolean(QStringLiteral("Cab"), Cab) && written;
    written = WriteBoolean(QStringLiteral("Lzh_X"), Lzh_X) && written;
    written = WriteBoolean(QStringLiteral("Lzh_Lha"), Lzh_Lha) && written;
    written = WriteBoolean(QStringLiteral("Lzh_Exe"), Lzh_Exe) && written;
    written = WriteBoolean(QStringLiteral("Cab_Exe"), Cab_Exe) && written;
    written = WriteText(QStringLiteral("Lzh_OptDos"), Lzh_OptDos) && written;
    written = WriteText(QStringLiteral("Lzh_OptWin16"), Lzh_OptWin16) && written;
    written = WriteText(QStringLiteral("Lzh_OptWin32"), Lzh_OptWin32) && written;
    written = WriteText(QStringLiteral("Cab_Opt"), Cab_Opt) && written;
    written = WriteBoolean(QStringLiteral("UCase"), UCase) && written;
    written = WriteBoolean(QStringLiteral("Nozoku"), Nozoku) && written;
    written = WriteBoolean(QStringLiteral("Auto"), Auto) && written;
    written = WriteInteger(QStringLiteral("AutoExe"), AutoExe) && written;
    written = WriteBoolean(QStringLiteral("AutoLog"), AutoLog) && written;
    written = WriteBoolean(QStringLiteral("Resize"), Resize) && written;
    written = WriteBoolean(QStringLiteral("Tip"), Tip) && written;
    written = WriteText(QStringLiteral("Font_Name"), Font_Name) && written;
    written = WriteInteger(QStringLiteral("Font_Size"), Font_Size) && written;
    written = WriteBoolean(QStringLiteral("Font_Bold"), Font_Bold) && written;
    written = WriteBoolean(QStringLiteral("Font_Italic"), Font_Italic) && written;

    platform::ISettingsStore& store = *platform::services().settings;
    written = store.Sync() && written;
    if (!written) return;
    store.DeleteApplication(kLegacy.application);
    store.Sync();
}

}  // namespace basTollbrook
