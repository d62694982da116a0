#include "app/windows/dialog_windows.h"

#include "app/windows/add_ied_window.h"
#include "app/windows/add_timeserver_window.h"
#include "app/windows/compare_window.h"
#include "app/windows/dyn_dataset_window.h"
#include "app/windows/export_window.h"
#include "app/windows/fc_select_window.h"
#include "app/windows/go_selection_window.h"
#include "app/windows/inputs_window.h"
#include "app/windows/log_window.h"
#include "app/windows/mapping_window.h"
#include "app/windows/version_history_window.h"
#include "compare/compare_dialog.h"
#include "datasets/dyn_dataset_dialog.h"
#include "datasets/fc_select_dialog.h"
#include "document/log_dialogs.h"
#include "document/version_history_dialog.h"
#include "exports/export_dialog.h"
#include "goose/inputs_dialog.h"
#include "goose/mapping_dialog.h"
#include "import/add_ied_dialog.h"
#include "project_tree/go_selection_dialog.h"
#include "structure/add_timeserver_dialog.h"

#include <QtGlobal>

#include <typeinfo>

bool RunDialogWindow(DialogModel& model, UserInterface& ui, QWidget* parent)
{
    if (auto* comparison = dynamic_cast<CCompareDialog*>(&model)) {
        CCompareWindow window(*comparison, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* history = dynamic_cast<CVerHistDialog*>(&model)) {
        CVersionHistoryWindow window(*history, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* log = dynamic_cast<CXMLLogDialog*>(&model)) {
        CLogWindow window(*log, CLogWindow::Closing::YesNo, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* log = dynamic_cast<CVerifyDialog*>(&model)) {
        CLogWindow window(*log, CLogWindow::Closing::Ok, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* addIED = dynamic_cast<CAddIEDDialog*>(&model)) {
        CAddIEDWindow window(*addIED, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* timeServer = dynamic_cast<CAddTimeserverDialog*>(&model)) {
        CAddTimeserverWindow window(*timeServer, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* exported = dynamic_cast<CExportDialog*>(&model)) {
        CExportWindow window(*exported, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* selection = dynamic_cast<CGoSelectionDialog*>(&model)) {
        CGoSelectionWindow window(*selection, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* inputs = dynamic_cast<CInputsDialog*>(&model)) {
        CInputsWindow window(*inputs, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* mapping = dynamic_cast<CMappingDialog*>(&model)) {
        CMappingWindow window(*mapping, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* dataset = dynamic_cast<CDynDatasetDialog*>(&model)) {
        CDynDatasetWindow window(*dataset, ui, parent);
        return window.exec() == QDialog::Accepted;
    }
    if (auto* fc = dynamic_cast<CFCSelDialog*>(&model)) {
        CFCSelWindow window(*fc, parent);
        return window.exec() == QDialog::Accepted;
    }
    qWarning("No window for the dialog %s", typeid(model).name());
    return false;
}
