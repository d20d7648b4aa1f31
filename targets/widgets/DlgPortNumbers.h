// The "Port Numbers Used" dialog: the ports the targets use, one a line, for
// whoever sets up a firewall. UI thread only.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class DlgPortNumbers;
}

class DlgPortNumbers : public QDialog {
    Q_OBJECT
public:
    // text: the port list as portNumbersText makes it.
    explicit DlgPortNumbers(const std::string& text, QWidget* parent = nullptr);
    ~DlgPortNumbers() override;

    // The text as given, line ends included.
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::unique_ptr<Ui::DlgPortNumbers> ui_;
};
