// Help > About: a small HTML page with the program's name, version and credits.
#pragma once

#include <QDialog>

class MAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit MAboutDlg(QWidget* parent = nullptr);
    static QString pageHtml();
};
