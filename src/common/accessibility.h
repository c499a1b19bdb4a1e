#pragma once

#include <QWidget>

/// What screen readers see of the program's own controls: picture buttons as push buttons
/// (toggles with their state), and groups of labels read as one phrase.
///
/// Installs the accessibility factory for them; any number of calls install it once.
void installAccessibility();

/// A group of labels that draws as its labels but reads as one phrase, its accessible name:
/// a screen reader finds the group, never the labels inside one by one.
class PhraseGroup final : public QWidget {
    Q_OBJECT

public:
    explicit PhraseGroup(QWidget* parent = nullptr);
};
