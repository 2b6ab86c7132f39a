#pragma once
// The small pictures of the speed buttons, drawn by the program itself so they look the
// same on every desktop.

#include <QIcon>

namespace tav
{

enum class ToolIcon {
    New,
    Open,
    Save,
    Undo,
    Copy,
    Cut,
    Paste,
    Print,
    Export,
    Import,
    Backup,
    Restore,
    First,
    Prior,
    Next,
    Last,
    Add,
    Post,
    Cancel,
};

QIcon toolIcon(ToolIcon kind);

} // namespace tav
