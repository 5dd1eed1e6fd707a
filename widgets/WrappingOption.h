#pragma once

#include <QRadioButton>

// An option button whose caption wraps onto as many lines as it needs. The
// caption stays the button's text(); the indicator stands level with its
// first line, and a click anywhere on the caption selects the option.
class WrappingOption final : public QRadioButton
{
    Q_OBJECT

public:
    explicit WrappingOption(QWidget *parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    int indicatorWidth() const;
    QRect captionRect(const QRect &within) const;
};
