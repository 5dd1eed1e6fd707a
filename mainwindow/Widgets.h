#pragma once

#include <QFont>
#include <QLabel>

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

// Colours a control's text through its palette; cheaper at start-up than a
// style sheet.
void setTextColor(QWidget *widget, const QColor &color);

// A caption as the user reads it: "&Back" is "Back", "&&" one ampersand.
QString plainCaption(const QString &caption);

// A label that reacts to a click, for the links to the maker's web site.
class ClickableLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
