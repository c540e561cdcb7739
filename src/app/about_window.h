#pragma once

#include <QDialog>

namespace telvanor {

// "About...": names the tool, its software code, version and document code, and links to the
// maker's web page through the logo and the web address. Reads and writes nothing.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Image2Click();
    void Label4Click();
};

}  // namespace telvanor
