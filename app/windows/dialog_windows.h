#pragma once
class DialogModel;
class QWidget;
class UserInterface;

// Shows the Qt window that belongs to the type of `model`, modal to `parent`; true
// when the person pressed OK or Yes. A model without a window counts as cancelled.
bool RunDialogWindow(DialogModel& model, UserInterface& ui, QWidget* parent);
