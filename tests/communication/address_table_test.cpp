// The address table: its rows and text, and the edits of its cells, checked, undoable and
// followed by the project tree.
#include "communication/address_table.h"
#include "document/varnholt_doc.h"
#include "project_tree/tree_outline.h"
#include "project_tree/varnholt_view.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class AddressTable : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};

    void SetUp() override
    {
        LoadDocText(doc, ReadFileText(TestDataPath("one_ied.scd")));
        ASSERT_TRUE(doc.Validate(doc.XmlTree()));
        view.OnInitialUpdate();
    }
    std::string Outline() const
    {
        std::ostringstream text;
        WriteTreeOutline(view, text);
        return text.str();
    }
};

TEST_F(AddressTable, RowsAndTheirText)
{
    const std::vector<AddressRow> rows = BuildAddressTable(doc.Root());
    EXPECT_EQ(AddressTableText(rows, true),
              "Kind,IED,Access point,Subnetwork,LD inst,Control block,IP,Mask,Gateway,MAC,APPID,VLAN-ID,"
              "VLAN-PRIORITY,MinTime,MaxTime\n"
              "ConnectedAP,P1,AP1,N1,,,192.168.1.11,,,,,,,,\n"
              "GSE,P1,AP1,N1,LD0,gcb1,,,,01-0C-CD-01-00-01,0001,,,,\n");
    EXPECT_EQ(AddressTableText(rows, false).substr(0, 48), "Kind         IED  Access point  Subnetwork  LD i");
    AddressRow odd = rows[0];
    odd.cells[kColumnIP] = "192\"168";
    odd.cells[kColumnMask] = "a,b";
    EXPECT_EQ(AddressTableText({odd}, true).substr(AddressTableText({}, true).size()),
              "ConnectedAP,P1,AP1,N1,,,\"192\"\"168\",\"a,b\",,,,,,,\n");
    EXPECT_FALSE(IsEditableAddressCell(rows[0], kColumnMac));
    EXPECT_TRUE(IsEditableAddressCell(rows[0], kColumnGateway));
    EXPECT_FALSE(IsEditableAddressCell(rows[1], kColumnIP));
    EXPECT_FALSE(IsEditableAddressCell(rows[1], kColumnIED));
    EXPECT_TRUE(IsEditableAddressCell(rows[1], kColumnMaxTime));
}

TEST_F(AddressTable, EditsAreCheckedStepsTheTreeFollows)
{
    const struct {
        int row, column;
        const char* value;
        CellEdit outcome;
        const char* written;  // in the file, when written
    } edits[] = {
        {1, kColumnAppId, "0002", CellEdit::Written, "<P type=\"APPID\">0002</P>"},
        {1, kColumnAppId, "0001", CellEdit::Unchanged, ""},
        {1, kColumnVlanPriority, "5", CellEdit::Written, "<P type=\"VLAN-PRIORITY\">5</P>"},
        {1, kColumnMaxTime, "2000", CellEdit::Written, "<MaxTime unit=\"s\" multiplier=\"m\">2000</MaxTime>"},
        {1, kColumnMinTime, "4", CellEdit::Written, "<MinTime unit=\"s\" multiplier=\"m\">4</MinTime>"},
        {1, kColumnMinTime, "soon", CellEdit::Refused, ""},
        {0, kColumnGateway, "192.168.1.1", CellEdit::Written, "<P type=\"IP-GATEWAY\">192.168.1.1</P>"},
        {0, kColumnIP, "192.168.1.12\x1b", CellEdit::Refused, ""},
        {1, kColumnIED, "P2", CellEdit::Refused, ""},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(std::to_string(edit.row) + " " + AddressColumnTitle(edit.column) + " " + edit.value);
        SetUp();
        const std::string before = XmlText(doc.XmlTree());
        const std::string outline = Outline();
        const AddressRow row = BuildAddressTable(doc.Root())[edit.row];
        EXPECT_EQ(EditAddressCell(view, row, edit.column, edit.value), edit.outcome);
        if (edit.outcome != CellEdit::Written) {
            EXPECT_EQ(XmlText(doc.XmlTree()), before);
            EXPECT_FALSE(doc.Changes().CanUndo());
            continue;
        }
        EXPECT_EQ(BuildAddressTable(doc.Root())[edit.row].cells[edit.column], edit.value);
        EXPECT_NE(XmlText(doc.XmlTree(), true).find(edit.written), std::string::npos);
        std::vector<std::string> findings;
        EXPECT_TRUE(doc.VerifySyntax(findings)) << testing::PrintToString(findings);
        EXPECT_TRUE(doc.IsModified());
        CVarnholtView fresh(doc);
        fresh.OnInitialUpdate();
        std::ostringstream freshOutline;
        WriteTreeOutline(fresh, freshOutline);
        EXPECT_EQ(Outline(), freshOutline.str());
        EXPECT_EQ(doc.Changes().UndoName(), std::string("Edit address ") + AddressColumnTitle(edit.column));
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(XmlText(doc.XmlTree()), before);
        EXPECT_EQ(Outline(), outline);
    }
}

}  // namespace
