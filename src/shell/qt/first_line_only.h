#pragma once

#include <QLineEdit>
#include <QValidator>

namespace qtshell {

/// Keeps a single-line box to one line, as a single-line edit control does: of text pasted or
/// dropped into it, only what comes before the first line break is taken; the text around the
/// insertion stays as it was.
class FirstLineOnly final : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    /// Installs the rule on box (the validator is the box's child).
    static void apply(QLineEdit* box);

    State validate(QString& input, int& pos) const override;
};

} // namespace qtshell
