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

MessageAnswer QtDialogs::MessageBox(const QString& text, MessageButtons buttons)
{
    if (!HasDisplay())
        return headless_.MessageBox(text, buttons);
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::NoButton, Owner());
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& proposedText)
{
    if (!HasDisplay())
        return headless_.InputBox(prompt, title, proposedText);
    bool ok = false;
    const QString answer = QInputDialog::getText(Owner(), title.isEmpty() ? ApplicationTitle() : title,
                                                 prompt, QLineEdit::Normal, proposedText, &ok);
    return ok ? answer : QString();
}

QString QtDialogs::SaveFileName(const QString& filter, const QString& defaultExtension)
{
    if (!HasDisplay())
        return headless_.SaveFileName(filter, defaultExtension);
    QFileDialog dialog(Owner(), ApplicationTitle());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the caller asks itself
    dialog.setNameFilter(QtFileFilter(filter));
    QString suffix = defaultExtension;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

FontChoice QtDialogs::ChooseFont(const FontChoice& initial)
{
    if (!HasDisplay())
        return headless_.ChooseFont(initial);
    QFont font(initial.name);
    if (initial.size > 0)
        font.setPointSizeF(initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, Owner(), ApplicationTitle());
    if (!ok)
        return initial;
    const float size =
        std::clamp(static_cast<float>(chosen.pointSizeF()), static_cast<float>(kSmallestFontSize),
                   static_cast<float>(kLargestFontSize));
    return FontChoice{chosen.family(), size, chosen.bold(), chosen.italic()};
}

} // namespace platform
