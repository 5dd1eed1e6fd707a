#include "widgets/WrappingOption.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int Margin = 2;
constexpr Qt::TextFlag Wrap = Qt::TextWordWrap;

} // namespace

WrappingOption::WrappingOption(QWidget *parent) : QRadioButton(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int WrappingOption::indicatorWidth() const
{
    return style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this)
        + style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
}

QRect WrappingOption::captionRect(const QRect &within) const
{
    return within.adjusted(indicatorWidth() + Margin, Margin, -Margin, -Margin);
}

int WrappingOption::heightForWidth(int width) const
{
    const QRect caption = captionRect(QRect(0, 0, width, 0));
    const int textHeight = fontMetrics()
                               .boundingRect(QRect(0, 0, std::max(caption.width(), 1), 100000),
                                   Wrap | Qt::AlignLeft | Qt::AlignTop, text())
                               .height();
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    return std::max(textHeight, indicator) + 2 * Margin;
}

QSize WrappingOption::sizeHint() const
{
    const int width = 400;
    return { width, heightForWidth(width) };
}

QSize WrappingOption::minimumSizeHint() const
{
    return { indicatorWidth() + 40, heightForWidth(indicatorWidth() + 40) };
}

void WrappingOption::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    // The indicator sits level with the caption's first line.
    QStyleOptionButton indicator = option;
    indicator.text.clear();
    indicator.rect = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    const int firstLine = fontMetrics().height();
    indicator.rect.moveTop(Margin + (firstLine - indicator.rect.height()) / 2);
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

    const QRect caption = captionRect(rect());
    painter.setPen(option.palette.color(
        isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    QRect used;
    painter.drawText(caption, Wrap | Qt::AlignLeft | Qt::AlignTop, text(), &used);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = used.adjusted(-1, -1, 1, 1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingOption::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
