#include "widgets/Widgets.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>

QFont verdana(qreal pointSize, bool bold)
{
    // Asked once: letting every font fall back on its own costs a font
    // search per size and weight at start-up.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Verdana"))
        ? QStringLiteral("Verdana")
        : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

void centreOnScreen(QWidget *window, const QWidget *screenOf)
{
    const QWidget *reference = screenOf != nullptr ? screenOf : window;
    const QScreen *screen = reference->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QRect &where,
    const QFont &font)
{
    auto *label = placed<QLabel>(parent, name, text, where, font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton *pushButton(
    QWidget *parent, const QString &name, const QString &caption, const QRect &where)
{
    return placed<QPushButton>(parent, name, caption, where, verdana(8.25));
}

ButtonRow backNextRow(QWidget *panel, const QString &backName, const QString &backCaption,
    const QString &nextName, const QString &nextCaption)
{
    return { pushButton(panel, backName, backCaption, QRect(386, 262, 95, 30)),
        pushButton(panel, nextName, nextCaption, QRect(489, 262, 95, 30)) };
}

QString plainCaption(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                text += QLatin1Char('&');
            else
                continue;
            ++i;
            continue;
        }
        text += caption[i];
    }
    return text;
}

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

PageFrame::PageFrame(const QString &name, QWidget *parent) : QGroupBox(parent)
{
    setObjectName(name);
    setFont(verdana(8.25, true));
}

void PageFrame::useRegularFaceForControls()
{
    for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_SetFont))
            child->setFont(verdana(8.25));
    }
}

void nameForScreenReaders(QWidget *root)
{
    for (QAbstractButton *button : root->findChildren<QAbstractButton *>()) {
        if (button->accessibleName().isEmpty())
            button->setAccessibleName(plainCaption(button->text()));
    }
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (label->accessibleName().isEmpty() && !label->text().isEmpty())
            label->setAccessibleName(label->text());
    }
}

void limitLength(QPlainTextEdit *box, int maxLength)
{
    QObject::connect(box->document(), &QTextDocument::contentsChange, box,
        [box, maxLength](int position, int, int added) {
            QTextDocument *document = box->document();
            // The document counts one character more than its text holds.
            const int excess = document->characterCount() - 1 - maxLength;
            if (excess <= 0 || added <= 0)
                return;
            QTextCursor cut(document);
            cut.setPosition(position + added);
            cut.setPosition(position + added - qMin(excess, added), QTextCursor::KeepAnchor);
            cut.removeSelectedText();
        });
}
