#include "platform/qtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFont>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <algorithm>

#include "platform/display.h"
#include "util/applicationTitle.h"

namespace platform {

namespace {

// The window a box belongs to: the one the user works in (the desk or a
// dialog of it), so the box opens centred on it and stays above it.
QWidget* Owner()
{
    return QApplication::activeWindow();
}

} // namespace

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString suffix = QLatin1Char('(') + pattern + QLatin1Char(')');
        filters.append(description.endsWith(suffix) ? description : description + QLatin1Char(' ') + suffix);
    }
    return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> NewMessageBox(const QString& text, MessageButtons buttons, QWidget* owner)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, ApplicationTitle(), text,
                                             QMessageBox::NoButton, owner);
    if (buttons == MessageButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    return box;
}

std::unique_ptr<QInputDialog> NewInputBox(const QString& prompt, const QString& title,
                                          const QString& proposedText, QWidget* owner)
{
    auto box = std::make_unique<QInputDialog>(owner);
    box->setWindowTitle(title.isEmpty() ? ApplicationTitle() : title);
    box->setLabelText(prompt);
    box->setTextValue(proposedText);
    return box;
}

std::unique_ptr<QFileDialog> NewSaveFileDialog(const QString& filter, const QString& defaultExtension,
                                               QWidget* owner)
{
    auto dialog = std::make_unique<QFileDialog>(owner, ApplicationTitle());
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite); // the caller asks itself
    dialog->setNameFilter(QtFileFilter(filter));
    QString suffix = defaultExtension;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog->setDefaultSuffix(suffix);
    return dialog;
}

std::unique_ptr<QFontDialog> NewFontDialog(const FontChoice& initial, QWidget* owner)
{
    QFont font(initial.name);
    if (initial.size > 0)
        font.setPointSizeF(initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    auto dialog = std::make_unique<QFontDialog>(font, owner);
    dialog->setWindowTitle(ApplicationTitle());
    return dialog;
}

MessageAnswer QtDialogs::MessageBox(const QString& text, MessageButtons buttons)
{
    if (!HasDisplay())
        return headless_.MessageBox(text, buttons);
    const auto box = NewMessageBox(text, buttons, Owner());
    const int answer = box->exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& proposedText)
{
    if (!HasDisplay())
        return headless_.InputBox(prompt, title, proposedText);
    const auto box = NewInputBox(prompt, title, proposedText, Owner());
    return box->exec() == QDialog::Accepted ? box->textValue() : QString();
}

QString QtDialogs::SaveFileName(const QString& filter, const QString& defaultExtension)
{
    if (!HasDisplay())
        return headless_.SaveFileName(filter, defaultExtension);
    const auto dialog = NewSaveFileDialog(filter, defaultExtension, Owner());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

FontChoice QtDialogs::ChooseFont(const FontChoice& initial)
{
    if (!HasDisplay())
        return headless_.ChooseFont(initial);
    const auto dialog = NewFontDialog(initial, Owner());
    if (dialog->exec() != QDialog::Accepted)
        return initial;
    const QFont chosen = dialog->selectedFont();
    const float size =
        std::clamp(static_cast<float>(chosen.pointSizeF()), static_cast<float>(kSmallestFontSize),
                   static_cast<float>(kLargestFontSize));
    return FontChoice{chosen.family(), size, chosen.bold(), chosen.italic()};
}

} // namespace platform
