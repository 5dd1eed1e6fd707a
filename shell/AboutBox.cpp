#include "shell/AboutBox.h"

#include "core/ProgramText.h"
#include "shell/ProgramIcon.h"
#include "widgets/Widgets.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor Green(73, 240, 60);
const QColor Lilac(206, 157, 219);
const QColor Orange(255, 128, 0);

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &where,
    const QFont &font, const QColor &colour)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    l->setGeometry(where);
    setTextColor(l, colour);
    return l;
}

} // namespace

AboutBox::AboutBox(Platform &platform, QWidget *owner)
    : QDialog(owner,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_links(platform)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(ProgramText::Caption);
    setWindowIcon(programIcon());
    setFont(verdana(8.25));
    setFixedSize(469, 217);
    setModal(true);

    QPalette black = lightPalette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    buildTexts();
    buildButtonRow();
    for (QLabel *l : findChildren<QLabel *>())
        l->setFocusPolicy(Qt::NoFocus);
}

void AboutBox::buildTexts()
{
    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(10, 10, 32, 32);
    picIcon->setPixmap(programIcon().pixmap(32, 32));

    label(this, QStringLiteral("Label2"), ProgramText::Caption, QRect(56, 19, 297, 23),
        verdana(14.25, true), Green);
    QLabel *description = label(this, QStringLiteral("Label1"),
        QStringLiteral("Quillmere is a learn and test yourself handwriting analysis software. This "
                       "software is a simple and useful aid in the study of handwriting analysis. "
                       "This can helps beginners learn and test their understanding of the "
                       "subject."),
        QRect(8, 50, 459, 57), verdana(8.25), Lilac);
    description->setWordWrap(true);

    addLink(QStringLiteral("lblHomePage"),
        QStringLiteral("Click here to visit ") + WebLinks::siteRoot(), QRect(197, 107, 270, 13),
        PageKey::HomePage);

    QLabel *offer = label(this, QStringLiteral("Label3"),
        QStringLiteral("Home Business Opportunity. Start your own Internet "
                       "business and make money online. Get this software fully "
                       "branded for your website."),
        QRect(8, 128, 459, 29), verdana(8.25, true), Orange);
    offer->setWordWrap(true);

    addLink(QStringLiteral("lblCoBrand"), QStringLiteral("Click here for more details."),
        QRect(310, 157, 157, 13), PageKey::FullyBranded);
}

void AboutBox::buildButtonRow()
{
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line2"));
    line->setFrameShape(QFrame::NoFrame);
    line->setGeometry(-1, 184, 473, 2);
    QPalette white = line->palette();
    white.setColor(QPalette::Window, Qt::white);
    line->setPalette(white);
    line->setAutoFillBackground(true);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setPalette(lightPalette());
    m_cmdOK->setFont(verdana(8.25));
    m_cmdOK->setGeometry(383, 192, 84, 23);
    m_cmdOK->setDefault(true);
    m_cmdOK->setFocus();
    // Esc closes a dialog by itself; Enter and a click come here.
    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

ClickableLabel *AboutBox::addLink(
    const QString &name, const QString &text, const QRect &designed, const QString &pageKey)
{
    auto *l = new ClickableLabel(this);
    l->setObjectName(name);
    l->setText(text);
    QFont font = verdana(8.25);
    font.setUnderline(true);
    l->setFont(font);
    setTextColor(l, Green);
    // Some addresses are longer than the designed room allows in some faces;
    // the label then grows to the left so that it still ends at the margin.
    const int width = qMax(designed.width(), l->sizeHint().width());
    l->setGeometry(designed.right() + 1 - width, designed.top(), width,
        qMax(designed.height(), l->sizeHint().height()));
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    connect(l, &ClickableLabel::clicked, this, [this, pageKey] { m_links.OpenWebPage(pageKey); });
    return l;
}

void AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_cmdOK->setFocus();
}

void showAboutBox(Platform &platform, QWidget *owner)
{
    AboutBox box(platform, owner);
    centreOnScreen(&box, owner);
    box.exec();
}
