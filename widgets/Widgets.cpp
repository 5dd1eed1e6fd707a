#include "widgets/Widgets.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
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

namespace {

// What a screen reader learns of a ClickableLabel: a link named by its text,
// which it can press; one that shows a picture is a button.
class LinkAccessible final : public QAccessibleWidget
{
public:
    explicit LinkAccessible(ClickableLabel *label) : QAccessibleWidget(label, QAccessible::Link) { }

    QAccessible::Role role() const override
    {
        const auto *label = static_cast<const QLabel *>(widget());
        return label->text().isEmpty() && !label->pixmap().isNull() ? QAccessible::Button
                                                                    : QAccessible::Link;
    }

    QString text(QAccessible::Text kind) const override
    {
        // The plain widget would name a label in a group box by the box's
        // title; a link is named by what it says.
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<ClickableLabel *>(widget())->clicked();
    }
};

QAccessibleInterface *linkAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickableLabel"))
        return new LinkAccessible(static_cast<ClickableLabel *>(object));
    return nullptr;
}

// Presses the buttons it watches when Return or Enter comes to them.
class EnterPresses final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            auto *button = qobject_cast<QAbstractButton *>(watched);
            if (enter && button != nullptr && button->isEnabled()
                && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(linkAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::TabFocus);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickableLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The text's own rectangle, so that the frame hugs what is pressed.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    if (!pixmap().isNull()) {
        // A picture: the frame runs just inside its border.
        option.rect = contentsRect().adjusted(2, 2, -2, -2);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
        return;
    }
    option.rect = QStyle::alignedRect(layoutDirection(), alignment(),
        fontMetrics()
            .boundingRect(contentsRect(), int(alignment()) | Qt::TextWordWrap, text())
            .size()
            .grownBy(QMargins(2, 1, 2, 1)),
        contentsRect())
                      .intersected(rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
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

QPalette lightPalette()
{
    // The colours of a classic light desktop: dark text on light grey
    // windows and white boxes.
    QPalette palette(QColor(0, 0, 0), QColor(239, 239, 239), QColor(255, 255, 255),
        QColor(159, 159, 159), QColor(184, 184, 184), QColor(0, 0, 0), QColor(255, 255, 255),
        QColor(255, 255, 255), QColor(239, 239, 239));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::Link, QColor(0, 0, 192));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    palette.setColor(QPalette::PlaceholderText, QColor(96, 96, 96));
    palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText }) {
        palette.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    }
    return palette;
}

void pressButtonsWithEnter(QWidget *window)
{
    auto *filter = new EnterPresses(window);
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->installEventFilter(filter);
}
