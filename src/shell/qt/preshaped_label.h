#pragma once

#include <QHash>
#include <QLabel>
#include <QStaticText>

namespace qtshell {

/// A label for a text that changes often within a few characters, such as a clock: each
/// character is laid out once and kept, so a new text is drawn without shaping it anew.
/// Texts that need shaping across characters (joined or right-to-left scripts) are drawn
/// as a plain label draws them.
class PreshapedLabel final : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Glyph {
        QStaticText text;
        qreal advance = 0;
    };
    /// The laid-out character, made at its first use.
    const Glyph& glyph(QChar c);
    static bool drawnByCharacter(const QString& text);

    QHash<QChar, Glyph> m_glyphs;
};

} // namespace qtshell
