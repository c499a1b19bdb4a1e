#include "shell/qt/about_window.h"

#include "core/help_and_site.h"
#include "shell/qt/control_names.h"
#include "shell/qt/design_colours.h"
#include "shell/qt/pictures.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace qtshell {

namespace {

const QColor kLoadColour(0, 4, 221);
const QColor kActiveColour(147, 209, 240);
// The link's colour on the active window's light blue.
const QColor kLinkColour(0, 0, 160);

// The maker's details: placeholders of the program's own.
const QString kPurpose = QStringLiteral("Shows how long this computer has been up, since when, and the time "
                                        "now, and runs one task when the up time reaches the value you set.");
const QString kMaker = QStringLiteral("Pellorin, Examplestad\ninfo@pellorin.example\n© 2004–2026 Pellorin");

} // namespace

AboutWindow::AboutWindow(platform::Services& services, core::WindowBlocker& blocker)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_rules(*this, services, blocker) {
    // No parent widget: blocking the other windows must not block this one with them.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About Corvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));
    setAccessibleName(QStringLiteral("About Corvane"));

    iconPicture = new QLabel(this);
    iconPicture->setPixmap(renderPicture(QStringLiteral(":/icons/corvane.svg"), QSize(48, 48)));
    iconPicture->setAlignment(Qt::AlignTop);
    nameLabel = new QLabel(QStringLiteral("Corvane"), this);
    QFont title = nameLabel->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.6);
    nameLabel->setFont(title);
    versionLabel = new QLabel(QStringLiteral("Version 4.0"), this);
    purposeLabel = new QLabel(kPurpose, this);
    purposeLabel->setWordWrap(true);
    makerLabel = new QLabel(kMaker, this);

    webLink = new PictureButton(this);
    const QString site = QString::fromUtf8(core::kMakerSite);
    webLink->setText(site);
    webLink->setToolTip(QStringLiteral("Visit the web site"));
    webLink->setAccessibleName(QStringLiteral("Web site ") + site);
    webLink->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for the focus ring around the letters.
    webLink->setMargin(2);
    QFont link = webLink->font();
    link.setUnderline(true);
    webLink->setFont(link);
    connect(webLink, &PictureButton::clicked, this, &AboutWindow::openWebAddress);

    auto* text = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(nameLabel), static_cast<QWidget*>(versionLabel),
                       static_cast<QWidget*>(purposeLabel), static_cast<QWidget*>(makerLabel),
                       static_cast<QWidget*>(webLink)}) {
        text->addWidget(w);
    }
    text->addStretch();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    row->addWidget(iconPicture);
    row->addLayout(text, 1);
    setFixedWidth(380);
    setFixedHeight(sizeHint().height());

    load();
    nameControls({{iconPicture, "iconPicture"},
                  {nameLabel, "nameLabel"},
                  {versionLabel, "versionLabel"},
                  {purposeLabel, "purposeLabel"},
                  {makerLabel, "makerLabel"},
                  {webLink, "webLink"}});
}

void AboutWindow::setColours(const QColor& background, const QColor& text) {
    setDesignColours(this, background, text);
    QPalette link = webLink->palette();
    link.setColor(QPalette::WindowText, text == Qt::white ? text : kLinkColour);
    webLink->setPalette(link);
}

void AboutWindow::showLook(core::AboutLook look) {
    if (look == core::AboutLook::Loading) {
        setColours(kLoadColour, Qt::white);
    } else {
        setColours(kActiveColour, Qt::black);
    }
}

void AboutWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        activate();
    }
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // Escape takes the close box's way.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace qtshell
