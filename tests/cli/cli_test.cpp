#include "cli/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace {

using namespace std::string_literals;

// True when `text` matches `pattern`, where '*' stands for any run of characters.
bool Matches(std::string_view pattern, std::string_view text)
{
    size_t p = 0, t = 0, star = pattern.npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') star = p++, resume = t;
        else if (p < pattern.size() && pattern[p] == text[t]) ++p, ++t;
        else if (star != pattern.npos) p = star + 1, t = ++resume;
        else return false;
    }
    return pattern.find_first_not_of('*', p) == pattern.npos;
}

// Every command: a file that does not exist named with the cause and nothing written,
// the refusal of an option it does not take, and its help. Every command that writes
// the project refuses one with findings unless --keep-invalid is given.
TEST(CliCommandLine, MissingFilesForeignOptionsAndHelp)
{
    TempDir dir;
    const std::string missing = dir.File("missing.scd"), out = dir.File("out.scd"), list = dir.File("list.txt");
    const std::string project = TestDataPath("one_ied.scd"), invalid = dir.File("invalid.scd");
    const std::string script = dir.File("empty.map");
    WriteFileText(list, "LD0/GGIO1.Cnt\n");
    WriteFileText(script, "");
    std::string findings = ReadFileText(project);
    findings.replace(findings.find("<Bay name=\"B1\"/>"), 16, "<Bay name=\"B1\"><Bogus/></Bay>");
    WriteFileText(invalid, findings);
    const struct {
        std::vector<std::string> arguments;  // complete but for the missing file
        std::string foreign;                 // an option of another command
        const char* writes = nullptr;  // for a command that writes the project, what stands for a missing file
                                       // other than the project when it is given the project with findings
    } commands[] = {
        {{"verify", missing}, "--ied"},
        {{"tree", missing}, "-o"},
        {{"save", missing, "-o", out}, "--ied", ""},
        {{"new", "-o", missing + "/out.scd"}, "--name"},
        {{"update-inputs", missing, "--ied", "P1", "-o", out}, "--name", ""},
        {{"add-ied", project, missing, "-o", out}, "--ied", project.c_str()},
        {{"update-ied", missing, project, "--ied", "P1", "-o", out}, "--name", ""},
        {{"variables", missing}, "--ied"},
        {{"description", missing, "--ied", "P1"}, "--script"},
        {{"export-iid", missing, "--ied", "P1", "-o", out}, "--keep-invalid"},
        {{"add-subnetwork", missing, "-o", out}, "--name", ""},
        {{"add-time-server", missing, "-o", out}, "--ied", ""},
        {{"delete", missing, "--ied", "P1", "-o", out}, "--name", ""},
        {{"datasets", missing, "--ied", "P1"}, "-o"},
        {{"create-dataset", project, "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members", missing, "-o",
          out},
         "--rename", list.c_str()},
        {{"modify-dataset", missing, "--ied", "P1", "--dataset", "LD0/GGIO1.X", "--members", list, "-o", out}, "--ln",
         ""},
        {{"mapping", missing}, "-o"},
        {{"map", project, "--script", missing, "-o", out}, "--members", script.c_str()},
    };
    const std::string usage = RunCli({"--help"}).out;
    for (const auto& command : commands) {
        const std::string& name = command.arguments[0];
        SCOPED_TRACE(name);
        CliResult unreadable = RunCli(command.arguments);
        EXPECT_EQ(unreadable.exitCode, 2);
        const size_t at = unreadable.err.find(missing);
        std::string line = at == std::string::npos ? "" : unreadable.err.substr(at, unreadable.err.find('\n', at) - at);
        for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(line.find(": no such file or directory"), std::string::npos) << unreadable.err;
        EXPECT_FALSE(FileExists(out));

        std::vector<std::string> foreign = command.arguments;
        foreign.insert(foreign.begin() + 1, {command.foreign, "x"});
        CliResult refused = RunCli(foreign);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.err, "varnholt-cli " + name + ": " + name + " takes no option " + command.foreign +
                                   "; see varnholt-cli " + name + " --help\n");

        CliResult help = RunCli({name, "--help"});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind("Usage: varnholt-cli " + name, 0), 0u) << help.out;
        EXPECT_NE(usage.find("\n  " + name + " "), std::string::npos);

        EXPECT_EQ(help.out.find("--keep-invalid") != std::string::npos, command.writes != nullptr);
        if (!command.writes) continue;
        std::vector<std::string> withFindings = command.arguments;
        withFindings[1] = invalid;
        for (std::string& argument : withFindings)
            if (argument == missing) argument = command.writes;
        CliResult kept = RunCli(withFindings);
        EXPECT_EQ(kept.exitCode, 2);
        EXPECT_NE(kept.err.find("give --keep-invalid"), std::string::npos) << kept.err;
        EXPECT_FALSE(FileExists(out));
    }
    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {{}, "Usage: varnholt-cli COMMAND*"},
        {{"bogus"}, "varnholt-cli: unknown command bogus*"},
        {{"description", project}, "*: --ied NAME is required*"},
        {{"description", project, "--ied"}, "*: option --ied needs a value*"},
        {{"tree", project, "--", "--help"}, "*: expected [FILE], got 2 file names*"},
    };
    for (const auto& [arguments, message] : refusals) {
        CliResult refused = RunCli(arguments);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_TRUE(Matches(message, refused.err)) << refused.err;
    }
    CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    const size_t date = version.out.find(" Date: ");
    EXPECT_EQ(version.out.rfind("Version: ", 0), 0u);
    EXPECT_TRUE(date != std::string::npos && HasShape(version.out.substr(date), " Date: 9999-99-99\n")) << version.out;
}

// Each command reaches its layer and tells the outcome by its exit code: 0 done, 1
// findings, 2 refused with OUT left unwritten. Rows run in order; "@D/" names a file
// of the test's folder (some written by earlier rows), "@T/" a test fixture.
// `text` with `insert` put right after the first `after`.
std::string Inserted(std::string text, const std::string& after, const std::string& insert)
{
    return text.insert(text.find(after) + after.size(), insert);
}

TEST(CliCommands, EachCommandRunsItsLayerAndTellsTheOutcome)
{
    TempDir dir;
    std::string oneIed = ReadFileText(TestDataPath("one_ied.scd"));
    std::string duplicated = oneIed, findings = oneIed;
    duplicated.insert(duplicated.find("</SubNetwork>"), "<ConnectedAP iedName=\"P2\" apName=\"AP9\"><Address>"
                                                         "<P type=\"IP\">192.168.1.11</P></Address></ConnectedAP>");
    findings.replace(findings.find("<Bay name=\"B1\"/>"), 16, "<Bay name=\"B1\"><Bogus/></Bay>");
    std::string badAppId = oneIed, otherAccessPoint = oneIed;
    badAppId.replace(badAppId.find(">0001<"), 6, ">4001<");
    otherAccessPoint.replace(otherAccessPoint.find("apName=\"AP1\""), 12, "apName=\"AP9\"");
    otherAccessPoint.replace(otherAccessPoint.find("cbName=\"gcb1\""), 13, "cbName=\"gcb9\"");
    std::string renamedLN = ReadFileText(TestDataPath("goose_connected.scd"));
    for (std::string ln :
         {"<LN lnClass=\"MMXU\" inst=\"1\"", "lnClass=\"MMXU\" lnInst=\"1\" doName=\"TotW\" daName=\"mag\" fc"})
        renamedLN.replace(renamedLN.find(ln) + ln.find("1\""), 1, "2");
    const std::pair<const char*, std::string> files[] = {
        {"dup.scd", duplicated},
        {"appid.scd", badAppId},
        {"otherap.scd", otherAccessPoint},
        {"desc.scd", std::string(oneIed).insert(oneIed.find("<IED name=\"P1\"") + 14, " desc=\"new\"")},
        {"other.xml", "<Other/>"},
        {"nodata.scd", Inserted(ReadFileText(TestDataPath("goose_connected.scd")), "<Inputs>",
                                "<ExtRef iedName=\"P1\" ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"9\" doName=\"X\"/>")},
        {"findings.icd", findings},
        {"renamed.iid", renamedLN},
        {"invalid.scd", SclDocument("<Substation/>")},
        {"text.scd", "plain text"},
        {"new.txt", "LD0/GGIO1.Ind1.stVal [ST]\nLD0/GGIO1.Ind2\n\nLD0/MMXU1.TotW\n"},
        // Ind1.stVal stays as written, Ind2 leaves, Cnt is added, the order follows the lines.
        {"mod.txt", "LD0/GGIO1.Cnt [ST]\nLD0/GGIO1.Ind1.stVal\nLD0/MMXU1.TotW [MX]\n"},
        {"nope.txt", "LD0/GGIO1.Nope\n"},
        {"mx.txt", "LD0/GGIO1.Cnt [MX]\n"},
        {"cnt.txt", "LD0/GGIO1.Cnt\n"},
        {"empty.txt", "\n"},
        {"twice.txt", "LD0/GGIO1.Cnt [ST]\nLD0/GGIO1.Cnt\n"},
        {"order.txt", "QB2/LLN0.Mod.stVal\nQB1/CSWI1.Pos.stVal\n"},
        {"ok.map", "# rewire\n\nconnect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal 3\ndisconnect P1/LD0/NI2\n"},
        {"same.map", "connect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal\nconnect P1/LD0/NI1 P1LD0/GGIO1.Ind1.stVal\n"},
        {"nine.map", "connect R/LD0/NI9 P2LD0/GGIO1.Cnt.stVal\n"},
        {"bit.map", "connect R/LD0/NI4 P2LD0/GGIO1.Cnt.stVal 32\n"},
        {"twice.map", "disconnect R/LD0/NI4\ndisconnect R/LD0/NI4\n"},
        {"link.map", "link R/LD0/NI4\n"},
        {"bom.txt", "\xEF\xBB\xBFLD0/GGIO1.Cnt\n"},
        {"escape.txt", "LD0/GGIO1.\x1b[31mX\0\n"s},
        {"escape.map", "\x1b]0;x\x07 R/LD0/NI4\n"},
        {"brackets.txt", "LD0/GGIO1.Cnt [x] [ST]\n"},
        {"batch.txt", "add-subnetwork\n# a second one, taken back and made again\n\nadd-subnetwork\nundo\nredo\n"
                      "add-time-server --name T9 --ip 10.0.0.9\ndelete --time-server T9\nundo\n"},
        {"undo.txt", "undo\n"},
        {"refused.txt", "add-subnetwork\ndelete --ied Nobody\nadd-subnetwork\n"},
        {"foreign.txt", "add-subnetwork -o x.scd\n"},
        {"quote.txt", "add-time-server --name \"T 9\n"},
    };
    for (const auto& [name, text] : files) WriteFileText(dir.File(name), text);
    // A schema folder whose SCL.xsd wants a root with no content at all.
    std::filesystem::create_directory(dir.File("own"));
    WriteFileText(dir.File("own/SCL.xsd"), "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                           "targetNamespace=\"http://www.iec.ch/61850/2003/SCL\">"
                                           "<xs:element name=\"SCL\"><xs:complexType/></xs:element></xs:schema>");
    std::string chain;  // each structure holds the next, deeper than the tree follows
    for (int level = 0; level < 40; ++level)
        chain += "<DAType id=\"T" + std::to_string(level) + "\"><BDA name=\"b\" bType=\"Struct\" type=\"T" +
                 std::to_string(level + 1) + "\"/></DAType>";
    WriteFileText(dir.File("deep.scd"),
                  SclDocument("<IED name=\"C\"><AccessPoint name=\"A\"/></IED><IED name=\"D\"><AccessPoint name=\"A\"><Server><Authentication/><LDevice inst=\"L\">"
                              "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"N\"/></LDevice></Server></AccessPoint></IED>"
                              "<DataTypeTemplates><LNodeType id=\"N\" lnClass=\"LLN0\"><DO name=\"Dd\" type=\"O\"/>"
                              "</LNodeType><DOType id=\"O\" cdc=\"SPS\"><DA name=\"a\" fc=\"ST\" bType=\"Struct\" "
                              "type=\"T0\"/></DOType>" +
                              chain + "</DataTypeTemplates>"));

    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out;        // the whole of stdout, '*' for any run of characters
        std::string err = "*";  // the same for stderr
        std::string file = "";  // the content of -o OUT, "" when not written, "!X" when written without X
        std::string input = "";  // the file read as standard input
    } rows[] = {
        // verify: syntax alone by default, else the checks asked for in the order syntax, addresses, GOOSE
        {{"verify", "@T/one_ied.scd"}, 0, "Document is correct\n"},
        // flow: the flows, one IED's, one service's, the diagram, a format it does not draw
        {{"flow", "--tsv", "@T/goose_connected.scd"}, 0,
         "P1\tR\tGOOSE\tLD0\tgcb1\t4\nP2\tP1\tGOOSE\tLD0\tgcb1\t2\n"},
        {{"flow", "@T/goose_connected.scd", "--ied", "R"}, 0, "P1 -> R  GOOSE  LD0/gcb1  (4 inputs)\n"},
        {{"flow", "@T/goose_connected.scd", "--service", "report"}, 0, ""},
        {{"flow", "@D/nodata.scd", "--ied", "P1"}, 1, "*Warning: IED R: input (P1 LD0/GGIO9.X) is in no dataset*"},
        {{"flow", "@D/nodata.scd", "--ied", "P2"}, 0, "P2 -> P1  GOOSE  LD0/gcb1  (2 inputs)\n"},
        {{"flow", "--tsv", "@T/goose_connected.scd", "-o", "@D/flows.svg"}, 0, "*", "", "*<svg*P2*P1*"},
        {{"flow", "@T/goose_connected.scd", "-o", "@D/flows.pdf"}, 2, "", "*.svg, .png or .dot*"},
        // diff: equal, different, unreadable, not SCL, an IED missing, the Header asked for
        {{"diff", "@T/one_ied.scd", "@T/one_ied.scd"}, 0, ""},
        {{"diff", "@T/one_ied.scd", "@D/desc.scd"}, 1, "~ IED[P1]: desc: (none) -> new\n"},
        {{"diff", "--ied", "P1", "@T/one_ied.scd", "@D/desc.scd"}, 1, "~ IED[P1]: desc: (none) -> new\n"},
        {{"diff", "@T/one_ied.scd", "@D/text.scd"}, 2, "", "*text.scd*"},
        {{"diff", "@D/other.xml", "@T/one_ied.scd"}, 2, "", "*other.xml is not an SCL file*"},
        {{"diff", "@T/one_ied.scd", "@T/minimal.scd", "--ied", "P9"}, 2, "", "*no IED named P9*"},
        {{"diff", "--header", "@T/one_ied.scd", "@T/minimal.scd"}, 1, "~ Header: *"},
        // verify --communication: findings with their rule ids; assign-addresses mends them
        {{"verify", "--communication", "@T/one_ied.scd"}, 0, "Addresses are correct\n"},
        {{"verify", "--communication", "--tsv", "@D/appid.scd"}, 1,
         "Warning\tappid-range\tP1\tLD0\tgcb1\tSubnetwork N1: GSE of IED P1 LD0/gcb1: APPID 4001 is outside 0000 to"
         " 3FFF\n"},
        {{"assign-addresses", "@D/appid.scd", "-o", "@D/out.scd"}, 0,
         "Information: Subnetwork N1: GSE of IED P1 LD0/gcb1: APPID 4001 -> 0001\n", "", "*>0001</P>*"},
        {{"assign-addresses", "@D/otherap.scd", "-o", "@D/out.scd", "--keep-invalid"}, 1,
         "Warning: GSE of IED P1 LD0/gcb1: the IED's access point AP1 is on no subnetwork; no address is made\n", "",
         "*cbName=\"gcb9\"*"},
        {{"verify", "@D/text.scd"}, 2, "", "*text.scd: line 1: *"},
        {{"verify", "--addresses", "@D/dup.scd"}, 1, "Error: Subnetwork N1: IP for IED:P2 AP:AP9 is duplicated\n"},
        {{"verify", "--syntax", "--addresses", "@D/invalid.scd"}, 1, "*\nAddresses are correct\n"},
        {{"verify", "--goose", "--addresses", "--syntax", "@T/goose_verify.scd"}, 1,
         "Document is correct\nAddresses are correct\nType of ExtRef: V.LD0.LLN0 Input[5] Int Addr: NI6 is invalid\n*"},
        {{"verify", "--goose", "@T/goose_connected.scd"}, 0, "GOOSE Inputs are correctly configured\n"},
        {{"tree", "@T/one_ied.scd"}, 0, "Substation: S1\n  VoltageLevel: V1\n    Bay: B1\nCommunication\n*\nIED: P1 [G]\n*"},
        {{"tree"}, 0, "Substation: IEC61850 station\n*"},
        {{"tree", "@D/deep.scd"}, 1, "IED: C\n*\nIED: D\n*DA: a\n*BDA: b\n*",
         "varnholt-cli tree: output cut short below IED: D > * > DA: a > BDA: b > * > BDA: b: the data type templates "
         "nest more than 32 levels deep\n"},
        // save: a history entry only when asked for, a file with findings only when kept
        {{"save", "@T/one_ied.scd", "-o", "@D/plain.scd"}, 0, "", "", "!<Hitem"},
        {{"save", "@T/one_ied.scd", "-o", "@D/out.scd", "--who", "me", "--what", "Wired P1", "--version", "4"}, 0, "",
         "", "*<Hitem version=\"4\" * who=\"me\" what=\"Wired P1\"*"},
        {{"save", "@T/one_ied.scd", "-o", "@D/out.scd", "--revision", "x"}, 2, "", "*Please enter an integer.*"},
        {{"save", "@D/invalid.scd", "-o", "@D/out.scd"}, 2, "", "*give --keep-invalid*"},
        {{"save", "@D/invalid.scd", "-o", "@D/out.scd", "--keep-invalid"}, 0, "", "*", "*<Substation/>*"},
        {{"new", "-o", "@D/new.scd"}, 0, "", "", "*Field1*"},
        {{"verify", "@D/new.scd"}, 0, "Document is correct\n"},
        // an edition on the template's root, checked against that edition's schema or a folder's
        {{"new", "-o", "@D/new4.scd", "--edition", "2007B4"}, 0, "", "",
         "*<SCL *version=\"2007\" revision=\"B\" release=\"4\"*Field1*"},
        {{"verify", "@D/new4.scd"}, 0, "Document is correct\n"},
        {{"new", "-o", "@D/out.scd", "--edition", "2007"}, 2, "",
         "varnholt-cli new: unknown edition 2007 (2003, 2007B or 2007B4)\n"},
        {{"verify", "@D/new4.scd", "--schema", "@D/own"}, 1,
         "Information: checked against the schema in @D/own\n*the content type is empty.\n"},
        {{"verify", "@D/new4.scd", "--schema", "@D"}, 2, "",
         "varnholt-cli verify: the schema folder @D cannot be used: *"},
        {{"new", "-o", "@D/out.scd", "--schema", "@D"}, 2, "", "*the schema folder*"},
        // batch: one read, the lines in order with their numbers, undo and redo, one write with one entry
        {{"batch", "@D/dup.scd", "--script", "@D/batch.txt", "-o", "@D/out.scd", "--who", "b"}, 0,
         "line 1: Subnet1\nline 4: Subnet2\nline 7: T9\n", "", "*who=\"b\"*name=\"Subnet2\"*<IED name=\"T9\"*"},
        {{"batch", "@D/dup.scd", "--script", "@D/undo.txt", "-o", "@D/out.scd"}, 2, "", "line 1: nothing to undo\n"},
        {{"batch", "@D/dup.scd", "--script", "@D/refused.txt", "-o", "@D/out.scd"}, 2, "line 1: Subnet1\n",
         "line 2: varnholt-cli delete: the project has no IED Nobody\n"},
        {{"batch", "@D/dup.scd", "--script", "@D/foreign.txt", "-o", "@D/out.scd"}, 2, "",
         "line 1: add-subnetwork: *"},
        {{"batch", "@D/dup.scd", "--script", "@D/quote.txt", "-o", "@D/out.scd"}, 2, "",
         "line 1: a quote is left open\n"},
        // update-inputs: the log on stdout, saved with findings; nothing changed, no history entry
        {{"update-inputs", "@T/goose_connected.scd", "--ied", "R", "-o", "@D/out.scd"}, 0, "", "", "!<Hitem"},
        {{"update-inputs", "@T/goose_update.scd", "--ied", "R", "-o", "@D/out.scd", "--keep-invalid", "--who", "t"}, 1,
         "Information: external reference created for input NI2:01-0C-CD-01-00-01:0001:1:1:P1gcb1\n"
         "Error: no match found for input NI3:*",
         "*", "*who=\"t\"*"},
        {{"update-inputs", "@T/goose_connected.scd", "--ied", "Nobody", "-o", "@D/out.scd"}, 2, "",
         "*the project has no IED named Nobody\n"},
        // add-ied and update-ied: a refusal writes nothing; the fate of every type is printed
        {{"add-ied", "@T/one_ied.scd", "@T/one_ied.scd", "-o", "@D/out.scd"}, 2, "",
         "Add IED: IED P1 is already configured!\n"},
        {{"add-ied", "@T/one_ied.scd", "@T/one_ied.scd", "--name", "P2", "--subnetwork", "N9", "-o", "@D/out.scd"}, 2,
         "", "*no subnetwork named N9\n"},
        {{"add-ied", "@T/one_ied.scd", "@T/one_ied.scd", "--from-ied", "Q", "-o", "@D/out.scd"}, 2, "",
         "*no IED named Q\n"},
        // every name is refused with nothing written when the project could not hold it as written
        {{"add-ied", "@T/one_ied.scd", "@T/one_ied.scd", "--name", "P\x1b[2J", "-o", "@D/out.scd"}, 2, "",
         "Add IED: The IED name cannot hold control characters or bytes that are not UTF-8!\n"},
        {{"add-time-server", "@T/one_ied.scd", "--name", "T\x01", "-o", "@D/out.scd"}, 2, "",
         "*The name of the time server cannot hold *"},
        {{"create-dataset", "@T/goose_connected.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "N\nB",
          "--members", "@D/cnt.txt", "-o", "@D/out.scd"}, 2, "", "*Dataset name cannot hold control characters*"},
        {{"add-ied", "@T/one_ied.scd", "@D/findings.icd", "--name", "P2", "-o", "@D/out.scd"}, 2, "", "*XML Parser Log:*"},
        {{"add-ied", "@T/one_ied.scd", "@D/findings.icd", "--name", "P2", "--accept-findings", "-o", "@D/added.scd"}, 0,
         "shared LNodeType LLN0_T\nshared LNodeType GGIO_T\nshared DOType INC_T\nshared DOType SPS_T\n", "*",
         "*<ConnectedAP iedName=\"P2\" apName=\"AP1\"*<IED name=\"P2\"*"},
        {{"update-ied", "@D/added.scd", "@T/one_ied.scd", "--ied", "P1", "-o", "@D/out.scd"}, 0, "*", "", "*"},
        {{"update-ied", "@D/added.scd", "@T/one_ied.scd", "--ied", "P2", "-o", "@D/out.scd"}, 2, "",
         "Update IED: Incorrect IED name!\n"},
        {{"update-ied", "@T/goose_connected.scd", "@D/renamed.iid", "--ied", "P1", "-o", "@D/out.scd"}, 1,
         "Warning: IED R: input ANI3:* (P1 LD0/MMXU1.TotW.mag) names data that the updated IED P1 no longer has\n*", "",
         "*<LN lnClass=\"MMXU\" inst=\"2\"*"},
        // the exports: lines with LF on stdout, or with -o the desktop's file with CR LF
        {{"variables", "@T/variables_example.scd"}, 0, "E1CTRL/LLN0$Events\nE1CTRL/Q0XCBR1$ST$Pos\n*"},
        {{"variables", "@T/variables_example.scd", "-o", "@D/out.txt"}, 0, "", "",
         "E1CTRL/LLN0$Events\r\nE1CTRL/Q0XCBR1$ST$Pos\r\n*"},
        {{"variables", "@T/variables_example.scd", "-o", "@D/missing/out.txt"}, 2, "", "*/missing/out.txt: *"},
        {{"description", "@T/description_example.scd", "--ied", "E1"}, 0, "IED: E1\n*"},
        {{"description", "@T/description_example.scd", "--ied", "T1", "-o", "@D/out.txt"}, 2, ""},
        {{"description", "@D/deep.scd", "--ied", "D"}, 1, "IED: D\n*",
         "varnholt-cli description: output cut short below IED: D > *: the data type templates nest more than 32 "
         "levels deep\n"},
        {{"description", "@D/deep.scd", "--ied", "C"}, 0, "IED: C\n*", ""},
        {{"description", "@D/deep.scd", "--ied", "D", "-o", "@D/out.txt"}, 1, "",
         "Export IED description: The description of D stops short below IED: D > *: the data type templates nest "
         "more than 32 levels deep\n",
         "IED: D\r\n*"},
        {{"variables", "@D/new.scd", "-o", "@D/out.txt"}, 2, "", "varnholt-cli variables: the project has no IED\n"},
        {{"export-iid", "@T/description_example.scd", "--ied", "E9", "-o", "@D/out.cid"}, 2, "",
         "varnholt-cli export-iid: the project has no IED named E9\n"},
        {{"export-iid", "@T/description_example.scd", "--ied", "E1", "-o", "@D/out.cid"}, 0, "", "", "*<IED name=\"E1\"*"},
        // the structure commands
        {{"add-subnetwork", "@D/new.scd", "-o", "@D/net.scd"}, 0, "Subnet2\n", "", "*"},
        {{"add-time-server", "@D/net.scd", "--subnetwork", "Subnet2", "--ip", "10.0.0.5", "-o", "@D/ts.scd"}, 0,
         "TimeServer1\n", "", "*TimeServer1*10.0.0.5*"},
        {{"add-time-server", "@D/net.scd", "--ip", " 10.0.0.6\t", "-o", "@D/out.scd"}, 0, "TimeServer1\n", "",
         "*10.0.0.6<*"},
        {{"add-time-server", "@D/net.scd", "--ip", "10.0.0.\x1b[2J", "-o", "@D/out.scd"}, 2, "",
         "Add Time Server: \"10.0.0.\\x1b[2J\" is no IP address of four numbers from 0 to 255\n"},
        {{"delete", "@D/ts.scd", "--ied", "TimeServer1", "-o", "@D/out.scd"}, 2, "",
         "varnholt-cli delete: TimeServer1 is a time server: give --time-server TimeServer1\n"},
        {{"delete", "@D/ts.scd", "--time-server", "TimeServer1", "-o", "@D/out.scd"}, 0, "", "", "!TimeServer1"},
        {{"delete", "@T/one_ied.scd", "--dataset", "P1/LD0/LLN0.DS1", "-o", "@D/out.scd"}, 0, "", "", "!\"DS1\""},
        {{"delete", "@T/goose_connected.scd", "--ied", "P2", "-o", "@D/out.scd"}, 1, "Warning: *", "", "!<IED name=\"P2\""},
        {{"delete", "@T/one_ied.scd", "--ied", "Q", "-o", "@D/out.scd"}, 2, ""},
        {{"delete", "@T/one_ied.scd", "--ied", "P1", "--dataset", "P1/LD0/LLN0.DS1", "-o", "@D/out.scd"}, 2, ""},
        // datasets from member lists
        {{"create-dataset", "@T/goose_connected.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "New", "--members",
          "@D/new.txt", "-o", "@D/created.scd"},
         0, "", "", "*"},
        {{"modify-dataset", "@D/created.scd", "--ied", "P1", "--dataset", "LD0/GGIO1.New", "--rename", "Changed",
          "--members", "@D/mod.txt", "-o", "@D/modified.scd"},
         0, "", "", "*"},
        {{"datasets", "@D/modified.scd", "--ied", "P1"}, 0,
         "LD0/LLN0.DS1\n  LD0/GGIO1.Ind1.stVal [ST]\n  LD0/GGIO1.Ind2.stVal [ST]\n  LD0/MMXU1.TotW.mag [MX]\n"
         "LD0/GGIO1.Changed\n  LD0/GGIO1.Cnt [ST]\n  LD0/GGIO1.Ind1.stVal [ST]\n  LD0/MMXU1.TotW [MX]\n"},
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members",
          "@D/nope.txt", "-o", "@D/out.scd"}, 2, "", "*no such data*"},
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members",
          "@D/mx.txt", "-o", "@D/out.scd"}, 2, "", "*its functional constraint is ST*"},
        {{"modify-dataset", "@D/created.scd", "--ied", "P1", "--dataset", "LD0/LLN0.DS1", "--members",
          "@D/cnt.txt", "-o", "@D/out.scd"}, 2, "", "*built-in*"},
        {{"modify-dataset", "@D/created.scd", "--ied", "P1", "--dataset", "LD0/GGIO1.New", "--rename", "R\xFF",
          "--members", "@D/cnt.txt", "-o", "@D/out.scd"}, 2, "", "*Dataset name cannot hold control characters*"},
        // member lists: a byte order mark is read; echoed text is quoted; only regular files, bounded
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "Bom", "--members",
          "@D/bom.txt", "-o", "@D/out.scd"}, 0, "", "", "*<DataSet name=\"Bom\"*"},
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members",
          "@D/escape.txt", "-o", "@D/out.scd"}, 2, "", "member \"LD0/GGIO1.\\x1b[31mX\\x00\": the IED has no such data\n"},
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members",
          "/dev/zero", "-o", "@D/out.scd"}, 2, "", "/dev/zero: cannot be read: not a regular file\n"},
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members", "-",
          "-o", "@D/out.scd"}, 2, "", "-: cannot be read: larger than 16 MiB\n", "", "/dev/zero"},
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members",
          "@D/brackets.txt", "-o", "@D/out.scd"}, 2, "", "member \"LD0/GGIO1.Cnt [x] [ST]\": the IED has no such data\n"},
        {{"create-dataset", "@D/created.scd", "--ied", "P1", "--ln", "LD0/GGIO1", "--name", "X", "--members",
          "@D/empty.txt", "-o", "@D/out.scd"}, 2, "", "Create dynamic dataset: Dataset cannot be empty!\n"},
        {{"modify-dataset", "@D/modified.scd", "--ied", "P1", "--dataset", "LD0/GGIO1.Changed", "--members",
          "@D/empty.txt", "-o", "@D/out.scd"}, 2, "", "Create dynamic dataset: Dataset cannot be empty!\n"},
        {{"modify-dataset", "@D/modified.scd", "--ied", "P1", "--dataset", "LD0/GGIO1.Changed", "--members",
          "@D/twice.txt", "-o", "@D/out.scd"}, 2, "", "*Element is already present in dataset\n*"},
        // a new order moves the members a subscriber's connected address counts
        {{"modify-dataset", "@T/goose_across_ld.scd", "--keep-invalid", "--ied", "P", "--dataset", "QB2/LLN0.DS",
          "--members", "@D/order.txt", "-o", "@D/out.scd"}, 1,
         "Warning: IED S: input NI1:* of the modified dataset DS: check its connected address\n", "*", "*"},
        // GOOSE mapping: a script of actions; a refused line writes nothing, even after good lines
        {{"mapping", "@T/goose_connected.scd"}, 0, "Outputs:\n*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/ok.map", "-o", "@D/out.scd", "--keep-invalid"}, 0,
         "R/LD0/NI4: P2LD0/GGIO1.Cnt.stVal\nP1/LD0/NI2: disconnected\n", "*",
         "*intAddr=\"NI4:01-0C-CD-01-00-02:0002:1:1:P2gcb1\" prefix=\"\" desc=\"Bit3\"*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/ok.map", "-o", "@D/out.scd"}, 2, "", "*--keep-invalid*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/same.map", "-o", "@D/out.scd"}, 2, "",
         "*line 2: Cannot connect an input with the output of the same IED.*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/nine.map", "-o", "@D/out.scd"}, 2, "",
         "*line 1: no input \"R/LD0/NI9\"*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/bit.map", "-o", "@D/out.scd"}, 2, "",
         "*line 1: bit index \"32\"*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/twice.map", "-o", "@D/out.scd"}, 2, "",
         "*line 2: the input \"R/LD0/NI4\" is not connected*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/link.map", "-o", "@D/out.scd"}, 2, "",
         "*line 1: unknown action*"},
        {{"map", "@T/goose_connected.scd", "--script", "@D/escape.map", "-o", "@D/out.scd"}, 2, "",
         "line 1: unknown action \"\\x1b]0;x\\x07\" (connect or disconnect)\n"},
    };
    const auto inDir = [&](std::string text) {
        for (size_t at = text.find("@D"); at != std::string::npos; at = text.find("@D", at))
            text.replace(at, 2, dir.File("").substr(0, dir.File("").size() - 1));
        return text;
    };
    for (const auto& row : rows) {
        std::vector<std::string> arguments = row.arguments;
        std::string trace, out;
        for (std::string& argument : arguments) {
            if (argument.starts_with("@D")) argument = inDir(argument);
            if (argument.starts_with("@T/")) argument = TestDataPath(argument.substr(3));
            if (&argument > &arguments[0] && (&argument)[-1] == "-o") out = argument;
            trace += argument + " ";
        }
        SCOPED_TRACE(trace);
        std::remove(out.c_str());
        CliResult result = RunCli(arguments, row.input);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        EXPECT_TRUE(Matches(inDir(row.out), result.out)) << result.out;
        EXPECT_TRUE(Matches(inDir(row.err), result.err)) << result.err;
        if (out.empty()) continue;
        const std::string written = FileExists(out) ? ReadFileText(out) : "";
        if (row.file.starts_with("!")) {
            EXPECT_TRUE(FileExists(out) && written.find(row.file.substr(1)) == std::string::npos) << written;
        } else {
            EXPECT_EQ(FileExists(out), !row.file.empty());
            EXPECT_TRUE(row.file.empty() || Matches(row.file, written)) << written;
        }
    }
}

}  // namespace
