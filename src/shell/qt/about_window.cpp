#include "shell/qt/about_window.h"

#include "core/design/about_window_design.h"
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

namespace design = core::design::about_window;

} // namespace

AboutWindow::AboutWindow(platform::Services& services, core::WindowBlocker& blocker)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_rules(*this, services, blocker) {
    // No parent widget: blocking the other windows must not block this one with them.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(design::kTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));
    setAccessibleName(QString::fromUtf8(design::kTitle));

    iconPicture = new QLabel(this);
    iconPicture->setPixmap(
        renderPicture(QStringLiteral(":/icons/corvane.svg"), QSize(design::kIconSize, design::kIconSize)));
    iconPicture->setAlignment(Qt::AlignTop);
    nameLabel = new QLabel(QString::fromUtf8(design::kName), this);
    QFont title = nameLabel->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * design::kNameScale);
    nameLabel->setFont(title);
    versionLabel = new QLabel(QString::fromUtf8(design::kVersion), this);
    purposeLabel = new QLabel(QString::fromUtf8(design::kPurpose), this);
    purposeLabel->setWordWrap(true);
    makerLabel = new QLabel(QString::fromUtf8(design::kMaker), this);

    webLink = new PictureButton(this);
    const QString site = QString::fromUtf8(core::kMakerSite);
    webLink->setText(site);
    webLink->setToolTip(QString::fromUtf8(design::kLinkTip));
    webLink->setAccessibleName(QString::fromUtf8(design::kLinkNamePrefix) + site);
    webLink->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for the focus ring around the letters.
    webLink->setMargin(design::kLinkMargin);
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
    row->setContentsMargins(design::kMargin, design::kMargin, design::kMargin, design::kMargin);
    row->setSpacing(design::kMargin);
    row->addWidget(iconPicture);
    row->addLayout(text, 1);
    setFixedWidth(design::kWidth);
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
    link.setColor(QPalette::WindowText, text == Qt::white ? text : toQColor(design::kActiveLink));
    webLink->setPalette(link);
}

void AboutWindow::showLook(core::AboutLook look) {
    if (look == core::AboutLook::Loading) {
        setColours(toQColor(design::kLoadingBackground), toQColor(design::kLoadingText));
    } else {
        setColours(toQColor(design::kActiveBackground), toQColor(design::kActiveText));
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
