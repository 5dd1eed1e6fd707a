#include "testing/ReportBox.h"

#include <QKeyEvent>
#include <QMimeData>

ReportBox::ReportBox(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ReportBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)
        || event->matches(QKeySequence::SelectAll)) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void ReportBox::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
}

void ReportBox::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    emit touched();
}

bool ReportBox::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        emit touched();
        break;
    case QEvent::ContextMenu:
        event->accept();
        return true;
    default:
        break;
    }
    return QTextEdit::viewportEvent(event);
}

QMimeData *ReportBox::createMimeDataFromSelection() const
{
    // Whatever asks for the selection gets nothing of the report.
    return new QMimeData;
}
