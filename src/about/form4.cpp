#include "about/form4.h"

#include "about/maker_site.h"
#include "common/design_colours.h"
#include "common/pictures.h"
#include "common/window_blocking.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

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

Form4::Form4(platform::Services& services, QList<BlockedWindow> blockedWindows)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_services(services),
      m_blockedWindows(std::move(blockedWindows)) {
    // No parent widget: blocking the other windows must not block this one with them.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About Corvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.svg")));
    setAccessibleName(QStringLiteral("About Corvane"));

    Image1 = new QLabel(this);
    Image1->setPixmap(RenderPicture(QStringLiteral(":/icons/corvane.svg"), QSize(48, 48)));
    Image1->setAlignment(Qt::AlignTop);
    Label1 = new QLabel(QStringLiteral("Corvane"), this);
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.6);
    Label1->setFont(title);
    Label2 = new QLabel(QStringLiteral("Version 4.0"), this);
    Label3 = new QLabel(kPurpose, this);
    Label3->setWordWrap(true);
    Label4 = new QLabel(kMaker, this);

    Label9 = new PictureButton(this);
    Label9->setText(kMakerSite);
    Label9->setToolTip(QStringLiteral("Visit the web site"));
    Label9->setAccessibleName(QStringLiteral("Web site ") + kMakerSite);
    Label9->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont link = Label9->font();
    link.setUnderline(true);
    Label9->setFont(link);
    connect(Label9, &PictureButton::clicked, this, &Form4::Label9_Click);

    auto* text = new QVBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
          static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label9)}) {
        text->addWidget(w);
    }
    text->addStretch();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    row->addWidget(Image1);
    row->addLayout(text, 1);
    setFixedWidth(380);
    setFixedHeight(sizeHint().height());

    Form_Load();
}

void Form4::SetColours(const QColor& background, const QColor& text) {
    SetDesignColours(this, background, text);
    QPalette link = Label9->palette();
    link.setColor(QPalette::WindowText, text == Qt::white ? text : kLinkColour);
    Label9->setPalette(link);
}

void Form4::Form_Load() {
    SetColours(kLoadColour, Qt::white);
}

void Form4::Form_Activate() {
    SetColours(kActiveColour, Qt::black);
    for (const BlockedWindow& window : m_blockedWindows) {
        if (QWidget* w = window(true)) {
            BlockWindow(w);
        }
    }
}

void Form4::Form_Unload() {
    for (const BlockedWindow& window : m_blockedWindows) {
        if (QWidget* w = window(false)) {
            FreeWindow(w);
        }
    }
}

void Form4::Label9_Click() {
    OpenMakerSite(m_services);
}

void Form4::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Form_Activate();
    }
}

void Form4::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Form4::keyPressEvent(QKeyEvent* event) {
    // Escape takes the close box's way.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
