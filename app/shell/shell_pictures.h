#pragma once
#include <QIcon>
#include <QImage>

// The pictures of the main window, its panes, the log windows, the About box and the
// signals of the GOOSE mapping window, drawn in code.
enum class ShellPicture {
    New, Open, Save, AddIED, AddTimeServer, AddSubnetwork, Delete, About, ContextHelp, SaveLog, CopyLog,
    GroupedRows, ListRows, AddToList, MoveUp, MoveDown, Undo, Redo,
    BinaryInput, AnalogInput, BinaryOutput, AnalogOutput,
};

QIcon ShellIcon(ShellPicture picture);
QIcon ApplicationIcon();

// The caption pane's logo (206 x 73; its top-left colour is the background to key out).
QImage BuiltInLogo();
// The About box's top banner (521 x 154) and bottom strip (522 x 18).
QImage BuiltInBanner();
QImage BuiltInStrip();
