#pragma once
class QDialog;
class QFormLayout;

// Lays out a dialog as its labelled fields above OK and Cancel, which accept and
// reject it.
void LayOutFormWithOkCancel(QDialog* dialog, QFormLayout* fields);
