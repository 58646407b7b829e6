#include "lists/historyModel.h"

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "util/paths.h"
#include "util/sharedMessages.h"

#include <QFileInfo>

HistoryModel::HistoryModel(QObject* parent) : QObject(parent) {}

void HistoryModel::SetSelectedIndex(int index)
{
    selected_ = index >= 0 && index < model_.rowCount() ? index : -1;
}

void HistoryModel::Add(const QString& line)
{
    const int selected = SelectedIndex();
    // Beyond the cap the oldest line gives way, so the selection stays put.
    const bool full = selected > Cap;
    if (full)
        model_.removeRows(0, 1);
    const int row = model_.rowCount();
    model_.insertRows(row, 1);
    model_.setData(model_.index(row), line);
    SetSelectedIndex(full ? selected : selected + 1);
    emit LineAdded(line);
}

void HistoryModel::AddLines(const QStringList& lines)
{
    const int selected = SelectedIndex();
    // Near the cap each line makes room on its own.
    if (selected + lines.size() > Cap) {
        for (const QString& line : lines)
            Add(line);
        return;
    }
    if (lines.isEmpty())
        return;
    const int first = model_.rowCount();
    model_.insertRows(first, int(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        model_.setData(model_.index(first + i), lines[i]);
    SetSelectedIndex(selected + int(lines.size()));
    for (const QString& line : lines)
        emit LineAdded(line);
}

void HistoryModel::Clear()
{
    selected_ = -1;
    model_.setStringList({});
}

QString HistoryModel::LogText() const
{
    QString text;
    for (const QString& line : model_.stringList())
        text += line + QStringLiteral("\r\n");
    return text;
}

void HistoryModel::CopyToClipboard()
{
    platform::IClipboard& clipboard = *platform::services().clipboard;
    clipboard.Clear();
    if (Count() == 0)
        return;
    clipboard.SetText(LogText());
}

void HistoryModel::AskAndSaveLog()
{
    const QString path = platform::services().dialogs->SaveFileName(
        messages::Text(messages::SharedMessage::LogFileFilter), QStringLiteral(".LOG"));
    if (!path.isEmpty())
        SaveLog(path);
}

void HistoryModel::SaveLog(const QString& path)
{
    if (Count() == 0)
        return;
    platform::IDialogs& dialogs = *platform::services().dialogs;
    if (QFileInfo(path).isFile()
        && dialogs.MessageBox(messages::Text(messages::SharedMessage::OverwriteQuestion),
                              platform::MessageButtons::YesNo)
            != platform::MessageAnswer::Yes)
        return;
    // A failed save leaves the previous file as it was wherever the folder
    // allows a scratch file beside it.
    const bool written = paths::WriteFileReplacing(path, LogText().toUtf8());
    if (!written) {
        dialogs.MessageBox(messages::Text(messages::SharedMessage::SaveFailed), platform::MessageButtons::Ok);
    }
}
