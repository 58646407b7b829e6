#pragma once

// What a screen reader can read of a window: every text of the accessible
// objects under it. Header-only, for the widget tests.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace testSupport {

namespace accessibleDetail {

inline QString Step(const QAccessibleInterface& node, int index)
{
    const QObject* object = node.object();
    if (object && !object->objectName().isEmpty())
        return object->objectName();
    return QStringLiteral("#%1").arg(index);
}

inline void Collect(QAccessibleInterface* node, const QString& path, QStringList& texts, int depth)
{
    if (!node || !node->isValid() || depth > 40)
        return;
    for (const QAccessible::Text kind :
         {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help}) {
        const QString text = node->text(kind);
        if (!text.isEmpty())
            texts << path + QStringLiteral(": ") + text;
    }
    for (int index = 0; index < node->childCount(); ++index) {
        QAccessibleInterface* child = node->child(index);
        if (child)
            Collect(child, path + u'/' + Step(*child, index), texts, depth + 1);
    }
}

} // namespace accessibleDetail

// Each name, description, value and help text of the accessible objects
// from window down (menus and their submenus, list rows, buttons), each as
// "path: text", the path made of object names or child numbers.
inline QStringList AccessibleTexts(QObject& window)
{
    QStringList texts;
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
    accessibleDetail::Collect(root, root ? accessibleDetail::Step(*root, 0) : QString(), texts, 0);
    return texts;
}

} // namespace testSupport
