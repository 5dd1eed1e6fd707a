#pragma once

#include <QFont>
#include <QGroupBox>
#include <QLabel>

class QPlainTextEdit;
class QPushButton;

// Verdana where the desktop has it, DejaVu Sans where it does not.
QFont verdana(qreal pointSize, bool bold = false);

// A control with its caption, objectName, font and place in its parent, as
// every window of the program builds them.
template<typename Control>
Control *placed(QWidget *parent, const QString &name, const QString &caption, const QRect &where,
    const QFont &font)
{
    auto *control = new Control(caption, parent);
    control->setObjectName(name);
    control->setFont(font);
    control->setGeometry(where);
    return control;
}

// A label of plain text that wraps onto as many lines as its room holds.
QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QRect &where,
    const QFont &font);

// Colours a control's text through its palette; cheaper at start-up than a
// style sheet.
void setTextColor(QWidget *widget, const QColor &color);

// Moves a window so that its frame stands in the middle of the screen it is
// on (or of `screenOf`'s screen, or the primary screen).
void centreOnScreen(QWidget *window, const QWidget *screenOf = nullptr);

// A panel's Back and Next buttons, side by side at its bottom right.
struct ButtonRow
{
    QPushButton *back = nullptr;
    QPushButton *next = nullptr;
};
ButtonRow backNextRow(QWidget *panel, const QString &backName, const QString &backCaption,
    const QString &nextName, const QString &nextCaption);

// A push button in the windows' own face.
QPushButton *pushButton(
    QWidget *parent, const QString &name, const QString &caption, const QRect &where);

// A caption as the user reads it: "&Back" is "Back", "&&" one ampersand.
QString plainCaption(const QString &caption);

// A label that reacts to a click, for the links to the maker's web site.
// It is a link to the keyboard and to screen readers too: Tab reaches it,
// Enter and Space press it, and it is announced as a link.
class ClickableLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// The program's light face: the colours its windows are drawn in, whatever
// the desktop's own palette (a dark one included).
QPalette lightPalette();

// Return and Enter press the focused button of `window`, as Space does.
void pressButtonsWithEnter(QWidget *window);

// One page of a window's stack of panels: a frame whose own caption is bold
// while the controls on it keep the regular face.
class PageFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit PageFrame(const QString &name, QWidget *parent = nullptr);

    // The control that has the focus when the page comes to the front: the
    // one the user will most likely use next.
    virtual QWidget *startingControl() const { return nullptr; }

protected:
    // For the end of a page's building: controls that were given no face of
    // their own take the regular one rather than the frame's bold.
    void useRegularFaceForControls();
};

// Keeps a multi-line box at `maxLength` characters at most: what is typed or
// pasted beyond that is left out.
void limitLength(QPlainTextEdit *box, int maxLength);

// Names every button and every label with text for screen readers by what
// it shows, leaving names already given alone.
void nameForScreenReaders(QWidget *root);
