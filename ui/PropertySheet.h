// A dialog that shows its pages beside a tree of their captions, with the
// selected page's title above it and OK and Cancel below; or, in wizard mode,
// one page after another with Back, Next, Finish and Cancel. UI thread only.
#pragma once

#include <QDialog>
#include <QFlags>
#include <QString>
#include <vector>

#include "ui/PropertyPage.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

class PropertySheet : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Tree, Wizard };
    enum WizardButton { Back = 1, Next = 2, Finish = 4 };
    Q_DECLARE_FLAGS(WizardButtons, WizardButton)

    explicit PropertySheet(const QString& title, Mode mode = Mode::Tree, QWidget* parent = nullptr);

    // Appends page (the sheet takes it) in page order and in the tree.
    void addPage(PropertyPage* page);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    PropertyPage* page(int index) const;
    // -1 before the sheet first shows a page.
    int currentIndex() const { return current_; }
    PropertyPage* currentPage() const { return page(current_); }
    // Leaves the page on show and shows page index; false when the page on
    // show refused to be left (or index is out of range).
    bool setCurrentPage(int index);
    // True once the page has been on show since the sheet was made.
    bool wasShown(int index) const;

    // OK in tree mode, Finish in wizard mode.
    void setOkEnabled(bool enabled);
    bool okEnabled() const;
    // Wizard mode: which of Back, Next and Finish may be pressed.
    void setWizardButtons(WizardButtons buttons);

    // Makes the sheet resizable; its size and position are kept in the settings
    // store under "WindowPlacement/<key>".
    void keepPlacement(const QString& key);

    // Buttons and tree, for keyboard wiring and tests. Back and Next are null in
    // tree mode; okButton() is Finish in wizard mode.
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* nextButton() const { return next_; }
    QTreeWidget* pageTree() const { return tree_; }

    // OK/Finish: leaves the page on show (it may refuse), confirms the pages
    // shown, in page order, and closes.
    void accept() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTreeWidgetItem* treeParentFor(const QString& caption);
    void fitTreeWidth();
    void onTreeItemChanged(QTreeWidgetItem* item);
    void selectTreeItemOf(int index);
    void step(int delta);

    Mode mode_;
    std::vector<PropertyPage*> pages_;
    std::vector<bool> shown_;
    std::vector<QTreeWidgetItem*> items_;
    int current_ = -1;
    bool closing_ = false;
    QString placementKey_;

    QTreeWidget* tree_ = nullptr;
    QLabel* title_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PropertySheet::WizardButtons)
