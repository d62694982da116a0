#pragma once
#include <libxml/tree.h>

#include <string>
#include <string_view>
#include <vector>

class CVarnholtDoc;

// A fixture written by us, in tests/data.
std::string TestDataPath(const std::string& name);

// The third-party files beside the project. Tests that need them call
// SkipWithoutCorpus() first.
std::string CorpusPath(const std::string& name);
bool CorpusAvailable();
#define SKIP_WITHOUT_CORPUS()                                                                  \
    do {                                                                                       \
        if (!CorpusAvailable()) GTEST_SKIP() << "corpus folder not found: " << CorpusPath(""); \
    } while (0)

// One row of the corpus's EXPECTED.tsv: how each third-party file must fare.
struct CorpusEntry {
    std::string file;
    bool wellFormed = false;
    bool schemaValid = false;
    int schemaErrors = 0;
    int datasetFindings = 0;
    // From EDITIONS.tsv: the edition the root declares and the verdict of its schema.
    std::string edition;
    bool editionValid = false;
};
std::vector<CorpusEntry> CorpusTable();

// The entry file of a published schema set beside the corpus ("2007B", "2007B4"), "" when
// the folder is absent.
std::string PublishedSchemaPath(const std::string& edition);

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// True when `text` has the form of `shape`: each '9' stands for a digit, every other
// character for itself ("9999-99-99" for a date).
bool HasShape(std::string_view text, std::string_view shape);

// A fresh folder removed with its content at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The tree as XML text, indented when `formatted`.
std::string XmlText(xmlDoc* tree, bool formatted = false);

// Parses SCL text the way the program reads files; fails the test on error.
xmlDoc* ParseSclText(const std::string& text);
// Makes `text` the document's tree, as a successful open would.
void LoadDocText(CVarnholtDoc& doc, const std::string& text, bool valid = true);

// Wraps SCL body elements into an SCL root with the default namespace and a Header.
// An FNV-1a fingerprint of `text`, 16 hex digits: goldens of corpus files keep these, so
// that no third-party text is copied into the project.
std::string Fingerprint(const std::string& text);

std::string SclDocument(const std::string& body, const std::string& rootAttributes = "");
