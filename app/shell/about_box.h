#pragma once
#include <QDialog>
#include <QString>

struct ShellResources;

// The texts of the About box, with the company of resources.ini in place of the
// built-in one.
struct AboutTexts {
    QString notice;
    QString companyLink;
    QString versionLine;
    QString madeFor;
    QString developerLink;

    static AboutTexts Make(const ShellResources& resources);
};

// "About Varnholt": banner, notice, title, company link, version line, made-for line,
// developer link, picture strip and OK.
class CAboutBox : public QDialog {
public:
    explicit CAboutBox(const ShellResources& resources, QWidget* parent = nullptr);
};
