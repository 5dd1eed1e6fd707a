#pragma once

#include "shell/TellAFriend.h"
#include "shell/WebLinks.h"

#include <QWidget>

#include <array>
#include <functional>

class ClickableLabel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Platform;
class Random;

// The last window of every run: an appeal to visit the maker's site, a link
// to the maker's other programs and a form to refer a friend. Leaving it ends
// the program.
class ClosingScreen final : public QWidget
{
    Q_OBJECT

public:
    // `endProgram` is called by "E&xit" and by the window's own close.
    ClosingScreen(Platform &platform, Random &random, std::function<void()> endProgram,
        QWidget *parent = nullptr);

    // The four appeals of Label2; one is drawn each time the screen opens.
    static const std::array<QString, 4> &promotionalTexts();
    static QString otherProgramsText();

    // A text box's content with its line breaks as CR LF.
    QString messageText() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildAppeal();
    void buildReferralForm();
    void buildOtherPrograms();
    void connectControls();
    void openingSteps();

    void Check1_Click();
    void cmdSubmit_Click();
    void promptFocusIn(QWidget *box);
    void promptFocusOut(QWidget *box);
    bool refuseSpace(QWidget *box);

    QString boxText(QWidget *box) const;
    void setBoxText(QWidget *box, const QString &text);
    QString promptOf(QWidget *box) const;
    void showError(const QString &text);

    Platform &m_platform;
    Random &m_random;
    std::function<void()> m_endProgram;
    WebLinks m_links;
    TellAFriend m_tellAFriend;

    QLabel *picClosingIcon = nullptr;
    QLabel *lblClosingCaption = nullptr;
    QLabel *Label2 = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *cmdClose = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLineEdit *txtName = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLineEdit *txtFriendName = nullptr;
    QLineEdit *txtFriendEmail = nullptr;
    QPushButton *cmdSubmit = nullptr;
    QPlainTextEdit *txtMessage = nullptr;
    QGroupBox *Frame6 = nullptr;
    QLabel *Label3 = nullptr;
    ClickableLabel *lblGoToHome = nullptr;
};
