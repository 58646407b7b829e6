#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include "core/options.h"
#include "support/fakeServices.h"
#include "support/printQString.h"
#include "support/storedSettings.h"
#include "platform/fontAliases.h"

namespace testSupport {

// The fixture of every widget test: one application object for the whole
// program (offscreen) with the program's font aliases, fresh fake services
// and the default options for each test.
class WidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "uiTest";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance())
            return;
        new QApplication(argc, argv);
        // As the program does before its first window.
        platform::LoadFontAliases(QStringLiteral(TB_BINARY_DIR "/share/tollbrook2/fontconfig.conf"));
    }

    WidgetTest() { options::Current() = options::Defaults(); }

    QString Stored(const QString& key)
    {
        return store.Read(kCurrentApplication, kSection, key, QStringLiteral("<absent>"));
    }
    QString Stored(const char* key) { return Stored(QString::fromLatin1(key)); }
    void Seed(const char* key, const QString& text)
    {
        store.Seed(kCurrentApplication, kSection, QString::fromLatin1(key), text);
    }

    FakeServices services;
    platform::FakeSettingsStore& store = services.settings;
    platform::FakeDialogs& dialogs = services.dialogs;
};

} // namespace testSupport
