#pragma once

#include <QFrame>
#include <QWidget>

namespace qtshell {

/// What screen readers see of the program's own controls: picture buttons as push buttons
/// (toggles as check boxes, with their state), groups of labels read as one phrase, and panels.
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

/// A surface that holds controls inside a window (a page, a bar of tabs): screen readers see a
/// panel named by its accessible name. A plain frame reads as a frame, the role of a window of
/// its own, and screen readers drop the focus of controls inside a frame that is not active.
class Panel : public QFrame {
    Q_OBJECT

public:
    explicit Panel(QWidget* parent = nullptr);
};

} // namespace qtshell
