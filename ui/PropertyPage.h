// One page of a PropertySheet. The sheet tells the page when it is shown, when
// it is left (the page may refuse) and, at OK, confirms every page shown since
// the sheet opened, in page order, after the page on show was left.
#pragma once

#include <QString>
#include <QWidget>

class PropertySheet;

class PropertyPage : public QWidget {
    Q_OBJECT
public:
    // caption: names joined by "::" nest the page under the page named before
    // the last "::". UI thread, like everything here.
    explicit PropertyPage(const QString& caption, QWidget* parent = nullptr);

    // The caption as given.
    const QString& caption() const { return caption_; }
    // The last name of the caption: the page's title and its entry in the tree.
    QString title() const;
    // The sheet the page was added to; null before.
    PropertySheet* sheet() const { return sheet_; }

    // The page has just come on show.
    virtual void onShown() {}
    // The page is about to be left (another page, OK, Next, Back, Finish);
    // false keeps it on show.
    virtual bool onLeaving() { return true; }
    // OK or Finish, for a page shown since the sheet opened.
    virtual void onConfirmed() {}

protected:
    // Enables the sheet's OK (or Finish) button; no effect before the page is added.
    void setOkEnabled(bool enabled);
    // Wizard mode: which of Back, Next and Finish may be pressed (PropertySheet flags).
    void setWizardButtons(int buttons);

private:
    friend class PropertySheet;
    QString caption_;
    PropertySheet* sheet_ = nullptr;
};
