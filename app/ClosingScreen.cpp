#include "app/ClosingScreen.h"

#include "core/ProgramText.h"
#include "core/Random.h"
#include "shell/Platform.h"
#include "shell/ProgramIcon.h"
#include "widgets/Widgets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include <utility>

namespace {

QFont msSansSerif(qreal pointSize)
{
    QFont font;
    font.setFamilies({ QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("DejaVu Sans") });
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

// Where the desktop's face runs wider than the designed one, the caption is
// set a little smaller rather than cut off at the edge of its room.
void fitToWidth(QWidget *widget, const QString &text, int room, int extra)
{
    QFont font = widget->font();
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) + extra > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    widget->setFont(font);
}

QGroupBox *navyGroup(QWidget *parent, const QString &name, const QString &title, const QRect &where)
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setFont(verdana(9.75, true));
    group->setGeometry(where);
    // The whole group is navy, its caption white on the navy ground.
    group->setStyleSheet(QStringLiteral(
        "QGroupBox#%1 { background-color: rgb(0, 0, 128); border: 1px solid rgb(128, 128, 192);"
        " margin-top: 0px; padding-top: 0px; }"
        "QGroupBox#%1::title { subcontrol-origin: border; subcontrol-position: top left;"
        " left: 7px; top: 1px; color: white; background-color: rgb(0, 0, 128); }")
                             .arg(name));
    QPalette white = group->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    group->setPalette(white);
    return group;
}

QLineEdit *promptBox(
    QWidget *parent, const QString &name, TellAFriend::Field field, const QRect &where)
{
    auto *box
        = placed<QLineEdit>(parent, name, TellAFriend::prompt(field), where, msSansSerif(8.25));
    box->setMaxLength(TellAFriend::maxLength(field));
    box->setTextMargins(0, 0, 0, 0);
    box->setPalette(lightPalette());
    return box;
}

} // namespace

ClosingScreen::ClosingScreen(
    Platform &platform, Random &random, std::function<void()> endProgram, QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_platform(platform),
      m_random(random),
      m_endProgram(std::move(endProgram)),
      m_links(platform),
      m_tellAFriend(platform)
{
    buildWindow();
    openingSteps();
}

const std::array<QString, 4> &ClosingScreen::promotionalTexts()
{
    static const std::array<QString, 4> texts = {
        QStringLiteral("Thank you for using our software. Please visit our discussion forum "
                       "regularly and join in the conversations there: your support is what "
                       "keeps our programs maintained and growing."),
        QStringLiteral("Do drop in at our on-line discussion forum often, ask your questions and "
                       "share what you know. Only with the support of users like you can we go on "
                       "improving our software."),
        QStringLiteral("Make our web site's discussion forum a regular stop and take part in its "
                       "discussions. Every visit helps us keep this software up to date and "
                       "develop new programs."),
        QStringLiteral("We would love to see you in our discussion forum. Visit our web site "
                       "regularly and have your say, because your support is what lets us keep "
                       "maintaining and developing our software."),
    };
    return texts;
}

QString ClosingScreen::otherProgramsText()
{
    return QStringLiteral(
        "Quillmere is one of a whole family of small programs from Velmora Softwares. Each of "
        "them is simple, easy to use and informative, whether you want to learn something new, "
        "test what you already know or simply spend a pleasant hour. They take a moment to set "
        "up and ask for nothing more than a little curiosity. Why not try some of them today? "
        "Look through the collection, pick the ones that suit you and see for yourself. If you "
        "enjoy them, please tell your friends and family about them too, so that they can "
        "discover them and enjoy them just as much as you do.");
}

void ClosingScreen::buildWindow()
{
    setObjectName(QStringLiteral("frmClosing"));
    setFixedSize(741, 315);
    QPalette white = lightPalette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    buildAppeal();
    buildReferralForm();
    buildOtherPrograms();

    for (QLabel *label : findChildren<QLabel *>())
        label->setFocusPolicy(Qt::NoFocus);
    lblGoToHome->setFocusPolicy(Qt::TabFocus);
    Frame2->setFocusPolicy(Qt::NoFocus);
    Frame6->setFocusPolicy(Qt::NoFocus);
    cmdClose->setAutoDefault(false);
    cmdSubmit->setAutoDefault(false);

    // The link comes after the window's own controls.
    QWidget *order[] = { cmdClose, Check1, txtName, cmdSubmit, txtEmail, txtFriendEmail,
        txtFriendName, txtMessage, lblGoToHome };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    connectControls();
    pressButtonsWithEnter(this);
    centreOnScreen(this);
    cmdClose->setFocus();
}

void ClosingScreen::buildAppeal()
{
    picClosingIcon = new QLabel(this);
    picClosingIcon->setObjectName(QStringLiteral("picClosingIcon"));
    picClosingIcon->setGeometry(24, 8, 36, 36);
    picClosingIcon->setAlignment(Qt::AlignCenter);

    lblClosingCaption = new QLabel(this);
    lblClosingCaption->setObjectName(QStringLiteral("lblClosingCaption"));
    lblClosingCaption->setTextFormat(Qt::PlainText);
    lblClosingCaption->setFont(msSansSerif(18));
    lblClosingCaption->move(72, 16);

    Label2 = textLabel(
        this, QStringLiteral("Label2"), QString(), QRect(8, 56, 465, 73), verdana(9.75, true));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Check1 = new QCheckBox(
        QStringLiteral("Click Here To Visit ") + WebLinks::siteHost() + QStringLiteral(" Now"),
        this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setFont(verdana(14.25));
    fitToWidth(Check1, Check1->text(), 479,
        Check1->sizeHint().width() - Check1->fontMetrics().horizontalAdvance(Check1->text()));
    setTextColor(Check1, QColor(0, 0, 192));
    Check1->setCursor(Qt::PointingHandCursor);
    Check1->setGeometry(2, 136, 479, 37);

    cmdClose = new QPushButton(QStringLiteral("E&xit"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setFont(msSansSerif(8.25));
    cmdClose->setGeometry(400, 184, 83, 25);
}

void ClosingScreen::buildReferralForm()
{
    using Field = TellAFriend::Field;
    Frame2 = navyGroup(
        this, QStringLiteral("Frame2"), QStringLiteral("Refer A Friend"), QRect(8, 216, 471, 97));
    txtName = promptBox(Frame2, QStringLiteral("txtName"), Field::Name, QRect(6, 24, 225, 19));
    txtEmail = promptBox(Frame2, QStringLiteral("txtEmail"), Field::Email, QRect(240, 24, 225, 19));
    txtFriendName = promptBox(
        Frame2, QStringLiteral("txtFriendName"), Field::FriendName, QRect(6, 48, 225, 19));
    txtFriendEmail = promptBox(
        Frame2, QStringLiteral("txtFriendEmail"), Field::FriendEmail, QRect(240, 48, 225, 19));
    cmdSubmit = new QPushButton(QStringLiteral("Refer A Friend &Now"), Frame2);
    cmdSubmit->setObjectName(QStringLiteral("cmdSubmit"));
    cmdSubmit->setFont(verdana(8.25, true));
    cmdSubmit->setPalette(lightPalette());
    cmdSubmit->setStyleSheet(QStringLiteral("QPushButton#cmdSubmit { padding: 0px; }"));
    cmdSubmit->setGeometry(128, 72, 225, 19);

    // Below the group's bottom edge: the group clips it, so it is never seen,
    // yet the Tab key still reaches it.
    txtMessage = new QPlainTextEdit(Frame2);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setFont(msSansSerif(8.25));
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setTabChangesFocus(true);
    txtMessage->setGeometry(320, 240, 121, 33);
    setBoxText(txtMessage, TellAFriend::prompt(Field::Message) + QStringLiteral("\r\n"));
    limitLength(txtMessage, TellAFriend::maxLength(Field::Message));
}

void ClosingScreen::buildOtherPrograms()
{
    Frame6 = navyGroup(this, QStringLiteral("Frame6"), QStringLiteral("Download Velmora Softwares"),
        QRect(488, 8, 249, 305));
    Label3 = textLabel(
        Frame6, QStringLiteral("Label3"), otherProgramsText(), QRect(8, 24, 233, 257), verdana(9));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(Label3, Qt::white);

    lblGoToHome = new ClickableLabel(Frame6);
    lblGoToHome->setObjectName(QStringLiteral("lblGoToHome"));
    lblGoToHome->setText(QStringLiteral("Click Here To Visit Velmora Softwares"));
    QFont linkFont = verdana(9, true);
    linkFont.setUnderline(true);
    lblGoToHome->setFont(linkFont);
    fitToWidth(lblGoToHome, lblGoToHome->text(), 249 - 5 - 3, 0);
    setTextColor(lblGoToHome, QColor(255, 255, 0));
    lblGoToHome->move(5, 283);
    lblGoToHome->adjustSize();
}

void ClosingScreen::connectControls()
{
    for (QWidget *box : { static_cast<QWidget *>(txtName), static_cast<QWidget *>(txtEmail),
             static_cast<QWidget *>(txtFriendName), static_cast<QWidget *>(txtFriendEmail),
             static_cast<QWidget *>(txtMessage) })
        box->installEventFilter(this);

    connect(Check1, &QCheckBox::clicked, this, &ClosingScreen::Check1_Click);
    connect(lblGoToHome, &ClickableLabel::clicked, this,
        [this] { m_links.OpenWebPage(PageKey::VelmoraSoftwares); });
    connect(cmdSubmit, &QPushButton::clicked, this, &ClosingScreen::cmdSubmit_Click);
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        if (m_endProgram)
            m_endProgram();
    });
}

void ClosingScreen::openingSteps()
{
    setWindowTitle(ProgramText::Caption);
    lblClosingCaption->setText(ProgramText::Caption);
    lblClosingCaption->adjustSize();

    setWindowIcon(programIcon());
    picClosingIcon->setPixmap(programIcon().pixmap(32, 32));

    m_random.seedFromClock();
    Label2->setText(promotionalTexts()[static_cast<size_t>(m_random.below(4))]);

    m_platform.keepAbove(this);
}

void ClosingScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_endProgram)
        m_endProgram();
}

void ClosingScreen::Check1_Click()
{
    if (!Check1->isChecked())
        return;
    Check1->setChecked(false);
    m_links.OpenWebPage(PageKey::HomePage);
}

void ClosingScreen::cmdSubmit_Click()
{
    const QString name = trimBlanks(boxText(txtName));
    const QString email = trimBlanks(boxText(txtEmail));
    const QString message = trimBlanks(boxText(txtMessage));
    const QString friendName = trimBlanks(boxText(txtFriendName));
    const QString friendEmail = trimBlanks(boxText(txtFriendEmail));

    const QString problem = TellAFriend::addressProblem(email, friendEmail);
    if (!problem.isEmpty()) {
        showError(problem);
        return;
    }
    m_tellAFriend.OpenReferralPage(name, email, message, friendName, friendEmail);
}

bool ClosingScreen::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QWidget *>(watched);
    if (box == nullptr)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // A message box or another window taking the activation moves no
        // focus inside this window.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (event->type() == QEvent::FocusIn)
            promptFocusIn(box);
        else
            promptFocusOut(box);
        break;
    }
    case QEvent::KeyPress:
        if ((box == txtEmail || box == txtFriendEmail)
            && static_cast<QKeyEvent *>(event)->text() == QLatin1String(" "))
            return refuseSpace(box);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ClosingScreen::promptFocusIn(QWidget *box)
{
    if (trimBlanks(boxText(box)) == promptOf(box))
        setBoxText(box, QString());
}

void ClosingScreen::promptFocusOut(QWidget *box)
{
    if (trimBlanks(boxText(box)).isEmpty())
        setBoxText(box, promptOf(box));
}

bool ClosingScreen::refuseSpace(QWidget *box)
{
    showError(QStringLiteral("Email Address Cannot Contain Space"));
    box->setFocus(Qt::OtherFocusReason);
    return true;
}

QString ClosingScreen::messageText() const
{
    return boxText(txtMessage);
}

QString ClosingScreen::boxText(QWidget *box) const
{
    if (box == txtMessage) {
        // The program's line breaks are CR LF; the editor keeps a bare LF.
        return txtMessage->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    }
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    return QString();
}

void ClosingScreen::setBoxText(QWidget *box, const QString &text)
{
    if (box == txtMessage) {
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        txtMessage->setPlainText(plain);
        return;
    }
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
}

QString ClosingScreen::promptOf(QWidget *box) const
{
    using Field = TellAFriend::Field;
    if (box == txtName)
        return TellAFriend::prompt(Field::Name);
    if (box == txtEmail)
        return TellAFriend::prompt(Field::Email);
    if (box == txtFriendName)
        return TellAFriend::prompt(Field::FriendName);
    if (box == txtFriendEmail)
        return TellAFriend::prompt(Field::FriendEmail);
    return TellAFriend::prompt(Field::Message);
}

void ClosingScreen::showError(const QString &text)
{
    m_platform.messageBox(
        text, ProgramText::Title, Platform::Icon::Critical, Platform::Buttons::Ok);
}
