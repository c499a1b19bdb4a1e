#include "shell/qt/first_line_only.h"

#include <algorithm>

namespace qtshell {

namespace {

bool isLineBreak(QChar c) {
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

void FirstLineOnly::apply(QLineEdit* box) {
    box->setValidator(new FirstLineOnly(box));
}

QValidator::State FirstLineOnly::validate(QString& input, int& pos) const {
    const auto first = std::find_if(input.cbegin(), input.cend(), isLineBreak);
    if (first == input.cend()) {
        return Acceptable;
    }
    // The box held no break before, so the break came with the text just inserted, which ends
    // at the cursor: the rest of that text goes, the text after the cursor stays.
    const auto at = static_cast<int>(first - input.cbegin());
    input.remove(at, std::max(pos - at, 1));
    pos = at;
    input.removeIf(isLineBreak); // defensive: no break survives whatever came before
    return Acceptable;
}

} // namespace qtshell
