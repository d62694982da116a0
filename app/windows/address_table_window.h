#pragma once
#include "communication/address_table.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class CVarnholtView;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class UserInterface;

// The rows of the address table for a view: rows a check flags are tinted (red for an
// error, yellow for a warning) with the findings as tooltip; the values of the document
// are edited in place, each edit a checked step of the history.
class AddressTableModel : public QAbstractTableModel {
public:
    AddressTableModel(CVarnholtView& view, UserInterface& ui, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const AddressRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }
    // Reads the rows again from the document.
    void Reload();

private:
    CVarnholtView& view_;
    UserInterface& ui_;
    std::vector<AddressRow> rows_;
};

// Verify > Address Table: the table sorted by a click on a column header and filtered by
// the text typed above it; a double click selects the row's element in the project tree,
// F2 or a click on the selected cell edits a value.
class AddressTableWindow : public QDialog {
public:
    AddressTableWindow(CVarnholtView& view, UserInterface& ui, QWidget* parent = nullptr);

    QTableView* Table() const { return table_; }
    QLineEdit* Filter() const { return filter_; }
    QSortFilterProxyModel* Sorted() const { return sorted_; }
    AddressTableModel* Model() const { return model_; }

private:
    AddressTableModel* model_;
    QSortFilterProxyModel* sorted_;
    QTableView* table_;
    QLineEdit* filter_;
};
