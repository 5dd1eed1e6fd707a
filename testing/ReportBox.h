#pragma once

#include <QTextEdit>

// The box that shows the result report: read-only, and nothing in it can be
// selected, copied or dragged out, so no report text reaches the clipboard
// from here.
class ReportBox final : public QTextEdit
{
    Q_OBJECT

public:
    explicit ReportBox(QWidget *parent = nullptr);

signals:
    // The mouse came over the box or pressed on it, or the box took the
    // focus: the moments to look at what the clipboard holds.
    void touched();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
};
