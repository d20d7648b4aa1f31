// Names for screen readers. Qt names a list, a tree or a drop-down by its own
// contents, not by the label beside it: give each labelled control the
// label's text. UI thread only.
#pragma once

class QWidget;

// Every label under root with a buddy names that buddy (its text without the
// mnemonic and the colon) unless the buddy has a name already.
void nameControlsAfterTheirLabels(QWidget* root);
