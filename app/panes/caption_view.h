#pragma once
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <string>

struct ShellResources;

// The pane above the tree: the substation, IED and logical device of the selected
// item in blue, and a logo at the top right.
class CCaptionView : public QWidget {
public:
    static constexpr int kHeight = 80;

    explicit CCaptionView(const QImage& logo, QWidget* parent = nullptr);

    // Each text is "Substation: %s", "IED: %s", "Logical device: %s", or empty when
    // its name is empty.
    void SetTexts(const std::string& substation, const std::string& ied, const std::string& logicalDevice);
    const QString& SubstationText() const { return substation_; }
    const QString& IedText() const { return ied_; }
    const QString& LogicalDeviceText() const { return logicalDevice_; }
    bool HasLogo() const { return !logo_.isNull(); }

    QSize sizeHint() const override { return {400, kHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage logo_;
    QImage keyedLogo_;  // made on the first paint
    QFont bigFont_;
    QFont smallFont_;
    QString substation_;
    QString ied_;
    QString logicalDevice_;
};

// The logo the resources ask for: the built-in one when `logo` is empty, the named
// file when it exists, otherwise none (a null image).
QImage CaptionLogo(const ShellResources& resources);

// The logo with every pixel of its top-left colour replaced by `background`.
QImage KeyOutBackground(const QImage& logo, QColor background);
