#pragma once

// The English translation of the program's texts, installed for a test's
// life, and a check that a text has no Japanese left in it. Header-only: for
// the suites that link Qt.
#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include <memory>

namespace testSupport {

// A core application for the object's life, unless one runs already: a
// translation is installed into one.
class CoreApplication {
public:
    CoreApplication()
    {
        if (!QCoreApplication::instance())
            application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }

private:
    int argc_ = 1;
    char name_[5] = "test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

// True when text holds a character of the Japanese scripts or of the
// full-width forms the Japanese texts use (the ideographic space included).
inline bool HasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// The program's English translation from the build tree, installed while the
// object lives.
class EnglishTranslation {
public:
    EnglishTranslation()
    {
        loaded_ = translator_.load(QStringLiteral("tollbrook2_en"),
                                   QStringLiteral(TB_BINARY_DIR "/share/tollbrook2/translations"))
            && QCoreApplication::installTranslator(&translator_);
    }
    ~EnglishTranslation() { QCoreApplication::removeTranslator(&translator_); }
    EnglishTranslation(const EnglishTranslation&) = delete;
    EnglishTranslation& operator=(const EnglishTranslation&) = delete;

    bool Loaded() const { return loaded_; }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

} // namespace testSupport
