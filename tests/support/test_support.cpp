#include "support/test_support.h"

#include "document/varnholt_doc.h"
#include "document/xml_parse.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

// Memory that fontconfig keeps for its font cache until the process ends (Graphviz
// measures the labels of the flow diagrams through it): not a leak of the program. Read by
// LeakSanitizer in the sanitizer builds; child processes get tests/lsan.supp instead.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

std::string TestDataPath(const std::string& name)
{
    return std::string(VARNHOLT_TEST_DATA) + "/" + name;
}

// The corpus beside the project, or where VARNHOLT_CORPUS points.
std::string CorpusPath(const std::string& name)
{
    const char* folder = std::getenv("VARNHOLT_CORPUS");
    return std::string(folder && *folder ? folder : VARNHOLT_CORPUS) + "/" + name;
}

bool CorpusAvailable()
{
    return std::filesystem::is_regular_file(CorpusPath("EXPECTED.tsv"));
}

std::vector<CorpusEntry> CorpusTable()
{
    std::vector<CorpusEntry> entries;
    std::istringstream table(ReadFileText(CorpusPath("EXPECTED.tsv")));
    std::string line;
    std::getline(table, line);  // column names
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        CorpusEntry entry;
        std::string wellFormed, verdict, errors, findings;
        std::getline(fields, entry.file, '\t');
        std::getline(fields, wellFormed, '\t');
        std::getline(fields, verdict, '\t');
        std::getline(fields, errors, '\t');
        std::getline(fields, findings, '\t');
        if (entry.file.empty()) continue;
        entry.wellFormed = wellFormed == "yes";
        entry.schemaValid = verdict == "valid";
        if (entry.wellFormed) {
            entry.schemaErrors = std::stoi(errors);
            entry.datasetFindings = std::stoi(findings);
        }
        entries.push_back(entry);
    }
    std::istringstream editions(ReadFileText(CorpusPath("EDITIONS.tsv")));
    std::getline(editions, line);
    while (std::getline(editions, line)) {
        std::istringstream fields(line);
        std::string file, edition, verdict;
        std::getline(fields, file, '\t');
        std::getline(fields, edition, '\t');
        std::getline(fields, verdict, '\t');
        for (CorpusEntry& entry : entries) {
            if (entry.file != file) continue;
            entry.edition = edition;
            entry.editionValid = verdict == "valid";
        }
    }
    return entries;
}

std::string PublishedSchemaPath(const std::string& edition)
{
    const std::string path = CorpusPath("../schemas/SCL" + edition + "/SCL.xsd");
    return std::filesystem::is_regular_file(path) ? path : "";
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool FileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "varnholt-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = name.data();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string XmlText(xmlDoc* tree, bool formatted)
{
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemory(tree, &text, &size, formatted ? 1 : 0);
    std::string result(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
    xmlFree(text);
    return result;
}

xmlDoc* ParseSclText(const std::string& text)
{
    std::string error;
    xmlDoc* doc = ParseXmlMemory(text, "test.scd", &error);
    EXPECT_NE(doc, nullptr) << error;
    return doc;
}

void LoadDocText(CVarnholtDoc& doc, const std::string& text, bool valid)
{
    xmlDoc* tree = ParseSclText(text);
    ASSERT_NE(tree, nullptr);
    doc.AdoptTree(tree, valid);
}

std::string Fingerprint(const std::string& text)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ull;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

std::string SclDocument(const std::string& body, const std::string& rootAttributes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"" +
           (rootAttributes.empty() ? std::string() : " " + rootAttributes) +
           ">\n<Header id=\"test\"/>\n" + body + "\n</SCL>\n";
}

bool HasShape(std::string_view text, std::string_view shape)
{
    if (text.size() != shape.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '9' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}
